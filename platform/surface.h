// A surface: a block of 32-bit pixels that the rasterizer draws into. Bitmaps, a window's content
// (its menu bar rows, then its client area) and a menu's pop-up image are surfaces.
#pragma once

#include "platform/rect.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

// Pixels are 0x00RRGGBB, `height` rows of `width` pixels, top to bottom, each row right after
// the one above it. Scrolling rows vertically moves where the rows start inside a larger block,
// not the pixels: only the fixed rows above the scrolled ones and the uncovered rows are copied,
// and now and then the whole content once, when it reaches the end of the block. The spare rows
// come with the first scroll, so a surface that never scrolls costs no more than its pixels.
class Surface {
  public:
    int width = 0;
    int height = 0;

    // Where device contexts draw on it: device point (x, y) is pixel (x + origin_x,
    // y + origin_y), and only pixels inside `clip` change. After resize, the whole surface with
    // device (0, 0) at its top-left; an owner narrows it to what it hands out (a window: its
    // client rows, and nothing while it is hidden).
    Rect clip;
    int origin_x = 0, origin_y = 0;

    // Set when its pixels change; whoever shows them clears it once they are shown.
    bool changed = false;

    Surface() = default;
    Surface(const Surface &) = default;
    Surface(Surface &&other) noexcept;
    Surface &operator=(Surface &&other) noexcept;
    // Copies the pixels in use (not the spare rows). Onto a surface of the same size only the
    // rows that differ are written, and its block is kept; onto a surface that holds the same
    // revision nothing is: putting back a saved surface costs little when it changed little.
    Surface &operator=(const Surface &other);

    // Changes whenever the pixels may have changed: each hand-out of writable pixels gives a new
    // value, never given before. A copy holds the revision of its original, so two surfaces with
    // the same revision (and size) hold the same pixels.
    uint64_t revision() const { return revision_; }

    // New pixels, w x h, all `fill`; no spare rows.
    void resize(int w, int h, uint32_t fill);
    // New pixels, w x h, copied from `pixels` (rows of w); no spare rows.
    void assign(const uint32_t *pixels, int w, int h);

    // Row y (0 <= y < height); the rows below it follow it in memory.
    uint32_t *row(int y) {
        touch();
        return block_.data() + (start_ + size_t(y)) * size_t(width);
    }
    const uint32_t *row(int y) const {
        return block_.data() + (start_ + size_t(y)) * size_t(width);
    }
    // All the pixels: height rows of width.
    uint32_t *data() { return row(0); }
    const uint32_t *data() const { return row(0); }
    uint32_t at(int x, int y) const { return row(y)[x]; }
    Rect bounds() const { return Rect{0, 0, width, height}; }

    // Moves rows first .. height - 1 by dy rows (down when positive): a row that moves out of
    // that range is gone, and the rows that nothing moves into keep their pixels. Rows above
    // `first` stay as they are.
    void scroll(int first, int dy);

  private:
    // Copies rows [from, from + count) of the block to rows [to, to + count).
    void move_rows(size_t to, size_t from, size_t count);
    void touch() { revision_ = ++last_revision_; }

    std::vector<uint32_t> block_;
    size_t start_ = 0; // the block row where row 0 lies
    uint64_t revision_ = 0;
    static inline uint64_t last_revision_ = 0; // one thread draws
};

// A COLORREF (0x00BBGGRR) as a surface pixel, and back.
inline uint32_t pixel_from_colorref(uint32_t c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
inline uint32_t colorref_from_pixel(uint32_t p) {
    return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
}

} // namespace platform
