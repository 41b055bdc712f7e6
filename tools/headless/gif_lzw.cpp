#include "tools/headless/gif_lzw.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace headless {

namespace {

// GIF codes have at most 12 bits; giflib clears the table rather than give out the last one.
constexpr int MAX_CODES = 4096;
constexpr uint16_t TABLE_FULL = 4095;
constexpr size_t MAX_INDICES = 256;

// How many of the indices from `from` on, up to `limit` of them, equal `index`. Eight are read
// at a time while `count` allows, and the first that differs is found from the lowest differing
// byte.
size_t run_ahead(const uint8_t *indices, size_t from, size_t limit, size_t count, uint8_t index) {
    const uint64_t pattern = 0x0101010101010101ull * index;
    size_t n = 0;
    if constexpr (std::endian::native == std::endian::little) {
        for (uint64_t word; n < limit && from + n + 8 <= count;) {
            std::memcpy(&word, indices + from + n, 8);
            uint64_t differing = word ^ pattern;
            if (differing) return std::min(limit, n + size_t(std::countr_zero(differing)) / 8);
            n += 8;
        }
        if (n >= limit) return limit;
    }
    while (n < limit && indices[from + n] == index) n++;
    return n;
}

} // namespace

LzwEncoder::LzwEncoder()
    : child_(size_t(MAX_CODES) * MAX_INDICES, 0), prefix_(MAX_CODES, 0), chain_(MAX_CODES),
      chain_first_(MAX_CODES, 0), chain_place_(MAX_CODES, 0), last_index_(MAX_CODES, 0) {}

// The single indices are the first codes, each the first of its chain; then the clear and end
// codes. The strings of the last compression are forgotten with the code size they were made
// with.
void LzwEncoder::start(int code_size) {
    forget_strings();
    code_size_ = code_size;
    clear_code_ = uint16_t(1u << code_size);
    for (uint16_t index = 0; index < clear_code_; index++) {
        chain_first_[index] = index;
        chain_place_[index] = 0;
        last_index_[index] = uint8_t(index);
    }
    clear_table();
}

// Empties the table's slots and every chain of the codes given out so far.
void LzwEncoder::forget_strings() {
    for (uint16_t code = uint16_t(clear_code_ + 2); code < next_code_; code++)
        child_[uint32_t(prefix_[code]) << code_size_ | last_index_[code]] = 0;
    for (uint16_t code = 0; code < next_code_; code++) chain_[code].clear();
    next_code_ = 0;
}

// Forgets every string longer than one index, as the decoder does on a clear code.
void LzwEncoder::clear_table() {
    forget_strings();
    for (uint16_t index = 0; index < clear_code_; index++) chain_[index].push_back(index);
    next_code_ = uint16_t(clear_code_ + 2);
    code_width_ = code_size_ + 1;
    width_limit_ = uint16_t(1u << code_width_);
}

void LzwEncoder::add_entry(uint16_t prefix, uint8_t index) {
    uint16_t code = next_code_++;
    child_[uint32_t(prefix) << code_size_ | index] = code;
    prefix_[code] = prefix;
    last_index_[code] = index;
    if (last_index_[prefix] == index) {
        // The prefix is the last of its chain: had it a longer one, it would not be added.
        chain_first_[code] = chain_first_[prefix];
        chain_place_[code] = uint16_t(chain_place_[prefix] + 1);
    } else {
        chain_first_[code] = code;
        chain_place_[code] = 0;
    }
    chain_[chain_first_[code]].push_back(code);
}

// Codes go out least significant bit first. The width grows once the next code to be given out
// no longer fits, checked after each code is written (as giflib does, one code late).
void LzwEncoder::put_code(uint16_t code) {
    bits_ |= uint64_t(code) << bit_count_;
    bit_count_ += code_width_;
    for (; bit_count_ >= 8; bit_count_ -= 8, bits_ >>= 8) bytes_.push_back(uint8_t(bits_ & 0xFF));
    if (next_code_ >= width_limit_) width_limit_ = uint16_t(1u << ++code_width_);
}

// The bytes with the last bits, in sub-blocks of up to 255 bytes after their length.
void LzwEncoder::put_blocks(std::vector<uint8_t> &blocks) {
    if (bit_count_ > 0) bytes_.push_back(uint8_t(bits_ & 0xFF));
    bits_ = 0;
    bit_count_ = 0;
    blocks.clear();
    for (size_t at = 0; at < bytes_.size(); at += 255) {
        size_t length = std::min<size_t>(255, bytes_.size() - at);
        blocks.push_back(uint8_t(length));
        blocks.insert(blocks.end(), bytes_.begin() + ptrdiff_t(at),
                      bytes_.begin() + ptrdiff_t(at + length));
    }
}

void LzwEncoder::compress(const uint8_t *indices, size_t count, int code_size,
                          std::vector<uint8_t> &blocks) {
    bytes_.clear();
    start(code_size);
    put_code(clear_code_);
    uint16_t current = indices[0];
    for (size_t i = 1; i < count;) {
        uint8_t index = indices[i];
        uint16_t longer = 0;
        if (last_index_[current] == index) {
            // More of the same index: as far along the chain as the indices go, in one step.
            const std::vector<uint16_t> &chain = chain_[chain_first_[current]];
            size_t place = chain_place_[current];
            if (place + 1 < chain.size()) {
                size_t limit = std::min(count - i, chain.size() - 1 - place);
                size_t ahead = run_ahead(indices, i, limit, count, index);
                current = chain[place + ahead];
                i += ahead;
                continue;
            }
        } else {
            longer = child_[uint32_t(current) << code_size_ | index];
        }
        if (longer) {
            current = longer;
            i++;
            continue;
        }
        put_code(current);
        if (next_code_ >= TABLE_FULL) {
            put_code(clear_code_);
            clear_table();
        } else {
            add_entry(current, index);
        }
        current = index;
        i++;
    }
    put_code(current);
    put_code(uint16_t(clear_code_ + 1));
    put_blocks(blocks);
}

} // namespace headless
