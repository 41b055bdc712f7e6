// A surface: a block of 32-bit pixels that the rasterizer draws into. Bitmaps, a window's content
// (its menu bar rows, then its client area) and a menu's pop-up image are surfaces.
#pragma once

#include "platform/rect.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

// Which pixels a row holds: those of the row written as `origin`, from its column `x` on.
struct RowId {
    uint64_t origin = 0;
    int64_t x = 0;
    bool operator==(const RowId &) const = default;
};

// Pixels are 0x00RRGGBB, `height` rows of `width` pixels, top to bottom, each row right after
// the one above it. Each row has an id: a row written gets a new one, never given before, and a
// row filled by a copy takes the id of what it was copied from, so two rows of the same width
// with the same id hold the same pixels. Copies then skip the rows that already agree.
//
// Scrolling rows vertically moves where the rows start inside a larger block, not the pixels:
// only the fixed rows above the scrolled ones and the uncovered rows are copied, and now and then
// the whole content once, when it reaches the end of the block. The spare rows come with the
// first scroll, so a surface that never scrolls costs no more than its pixels.
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
    // rows whose ids differ are written, and its block is kept: putting back a saved surface, or
    // presenting a frame, costs little when it changed little.
    Surface &operator=(const Surface &other);

    // New pixels, w x h, all `fill`.
    void resize(int w, int h, uint32_t fill);
    // New pixels, w x h, copied from `pixels` (rows of w).
    void assign(const uint32_t *pixels, int w, int h);

    // Row y (0 <= y < height), to be written: it gets a new id. The rows below it follow it in
    // memory.
    uint32_t *row(int y) {
        ids_[size_t(y)] = RowId{++last_id_, 0};
        return pixels_at(y);
    }
    const uint32_t *row(int y) const { return pixels_at(y); }
    // All the pixels: height rows of width. Writable, every row gets a new id.
    uint32_t *data();
    const uint32_t *data() const { return pixels_at(0); }
    uint32_t at(int x, int y) const { return row(y)[x]; }
    Rect bounds() const { return Rect{0, 0, width, height}; }

    // The id of row y's pixels.
    RowId row_id(int y) const { return ids_[size_t(y)]; }

    // Writing rows by hand, as the rasterizer does: `begin_writes` gives the pixels, and each row
    // y written then takes id {base + y, 0} (row_ids[y]), an origin kept for it by begin_writes.
    struct Writes {
        uint32_t *pixels;
        RowId *row_ids;
        uint64_t base;
    };
    Writes begin_writes();
    // Fills row y with row `source_y` of `source` from its column `source_x` on, unless it holds
    // those pixels already (source_x + width <= source.width).
    void copy_row(int y, const Surface &source, int source_y, int64_t source_x = 0);

    // Moves rows first .. height - 1 by dy rows (down when positive): a row that moves out of
    // that range is gone, and the rows that nothing moves into keep their pixels. Rows above
    // `first` stay as they are.
    void scroll(int first, int dy);

  private:
    // Copies rows [from, from + count) of the block to rows [to, to + count).
    void move_rows(size_t to, size_t from, size_t count);
    uint32_t *pixels_at(int y) { return block_.data() + (start_ + size_t(y)) * size_t(width); }
    const uint32_t *pixels_at(int y) const {
        return block_.data() + (start_ + size_t(y)) * size_t(width);
    }
    // Every row a new id.
    void renew_ids();
    // Room for `count` pixels at the start of the block. What the block has beyond them stays
    // (a surface resized back and forth, or put back, allocates nothing), unless it is large and
    // more than scrolling would take (three times as many spare).
    void make_room(size_t count);

    std::vector<uint32_t> block_;
    std::vector<RowId> ids_; // one for each row
    size_t start_ = 0;       // the block row where row 0 lies
    // The last row id origin given. One thread draws.
    static inline uint64_t last_id_ = 0;
};

// A COLORREF (0x00BBGGRR) as a surface pixel, and back.
inline uint32_t pixel_from_colorref(uint32_t c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
inline uint32_t colorref_from_pixel(uint32_t p) {
    return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
}

} // namespace platform
