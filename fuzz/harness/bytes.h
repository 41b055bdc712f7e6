// A fuzz input read as a sequence of values. Reads past the end give zeros, so every input,
// however short, decodes to something.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace harness {

class Bytes {
  public:
    Bytes(const uint8_t *data, size_t size) : data_(data), size_(size) {}

    bool empty() const { return next_ >= size_; }

    uint8_t byte() { return next_ < size_ ? data_[next_++] : 0; }

    uint16_t u16() {
        uint16_t low = byte();
        return uint16_t(low | uint16_t(byte()) << 8);
    }

    uint32_t u32() {
        uint32_t value = u16();
        return value | uint32_t(u16()) << 16;
    }

    // A value in [low, high].
    int in_range(int low, int high) {
        uint32_t span = uint32_t(int64_t(high) - low + 1);
        return int(int64_t(low) + u16() % span);
    }

    // Any 32-bit integer, most often one that draws near or over the canvas, often an extreme.
    int32_t integer() {
        uint8_t choice = byte();
        switch (choice % 8) {
        case 0: return int32_t(u32());
        case 1: {
            static const int32_t EXTREMES[] = {
                INT32_MIN, INT32_MIN + 1, INT32_MAX, INT32_MAX - 1, -1,         0,
                1,         -65536,        65536,     1 << 30,       -(1 << 30), 46341};
            return EXTREMES[byte() % (sizeof EXTREMES / sizeof EXTREMES[0])];
        }
        case 2: return int32_t(int16_t(u16())); // far off, in 16 bits
        default: return in_range(-400, 400);    // on and around the canvas
        }
    }

    // Up to `limit` bytes, ending early at a zero byte (which is consumed).
    std::string text(size_t limit) {
        std::string result;
        while (result.size() < limit && !empty()) {
            char c = char(byte());
            if (c == '\0') break;
            result += c;
        }
        return result;
    }

  private:
    const uint8_t *data_;
    size_t size_;
    size_t next_ = 0;
};

} // namespace harness
