// A window's pixels: its content (the menu bar rows, then the client area) as rows of one
// width, laid out one after another inside a block that can hold spare rows above and below
// them. Scrolling the whole client area vertically moves where the content starts in the
// block, not the pixels: only the menu bar rows and the uncovered rows are copied, and now and
// then the whole content once, when it reaches the end of the block. The spare rows come with
// the first such scroll, so a window that never scrolls costs no more memory than its content.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace user {

class WindowPixels {
  public:
    int width = 0;  // pixels in a row
    int height = 0; // content rows

    // New content of w x h pixels, all `fill`; no spare rows.
    void resize(int w, int h, uint32_t fill);

    // Content row y (0 <= y < height); the rows that follow it come right after it in memory.
    uint32_t *row(int y) { return block_.data() + (start_ + size_t(y)) * size_t(width); }
    const uint32_t *row(int y) const {
        return block_.data() + (start_ + size_t(y)) * size_t(width);
    }
    // The whole content: height rows of width pixels.
    uint32_t *data() { return row(0); }
    const uint32_t *data() const { return row(0); }

    // Moves rows first .. height - 1 by dy rows (down when positive), as a scroll of the whole
    // client area whose first row is `first`: a row that moves out of that range is gone, and
    // the rows that nothing moves into keep their pixels. Rows above `first` stay as they are.
    void scroll(int first, int dy);

  private:
    // Copies rows [from, from + count) of the block to rows [to, to + count).
    void move_rows(size_t to, size_t from, size_t count);

    std::vector<uint32_t> block_;
    size_t start_ = 0; // the block row where the content starts
};

} // namespace user
