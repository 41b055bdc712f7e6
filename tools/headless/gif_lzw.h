// The LZW compression of a GIF image's pixels. It gives the same codes as giflib's own encoder
// (greedy longest match, a clear code when the table is full), but it walks a run of one index
// in a few steps per code instead of one lookup per pixel: the frames of a recording are mostly
// runs of the transparent index, and giflib's encoder would cost several times the frame's
// drawing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace headless {

class LzwEncoder {
  public:
    LzwEncoder();

    // Compresses `count` (at least one) indices, each below 2^code_size (code_size 2 to 8), into
    // `blocks`: GIF data sub-blocks, each a length byte and up to 255 bytes, without the code size
    // before them and the empty block after them.
    void compress(const uint8_t *indices, size_t count, int code_size,
                  std::vector<uint8_t> &blocks);

  private:
    void start(int code_size);
    void forget_strings();
    void clear_table();
    void add_entry(uint16_t prefix, uint8_t index);
    void put_code(uint16_t code);
    void put_blocks(std::vector<uint8_t> &blocks);

    int code_size_ = 0;
    uint16_t clear_code_ = 0, next_code_ = 0;
    int code_width_ = 0;
    uint16_t width_limit_ = 0;
    // The table: child_[code << code_size | index] is the code of that string extended by the
    // index, 0 for none; each code's prefix, to clear the table again.
    std::vector<uint16_t> child_;
    std::vector<uint16_t> prefix_;
    // Chains of a string extended by one index again and again (s, s+i, s+i+i, ...): the codes
    // of a chain in order, kept under its first code, and for each code its chain's first code,
    // its place in the chain (0 for the first) and its last index. A code's chain is that of its
    // last index; a string whose last two indices differ begins a chain of its own.
    std::vector<std::vector<uint16_t>> chain_;
    std::vector<uint16_t> chain_first_, chain_place_;
    std::vector<uint8_t> last_index_;
    // Output: the bytes so far, and the bits not yet a whole byte.
    std::vector<uint8_t> bytes_;
    uint64_t bits_ = 0;
    int bit_count_ = 0;
};

} // namespace headless
