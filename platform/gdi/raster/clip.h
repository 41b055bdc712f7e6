// The rasterizer's working pieces, which every shape file uses: its view of a surface for one
// drawing call with the fills every write goes through, buffers for per-shape working data, and
// exact integer arithmetic for products of pixel coordinates.
#pragma once

#include "platform/gdi/raster/raster.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <vector>

namespace raster {

// ---- The clip and its fills ---------------------------------------------------------------------

// The rasterizer's view of a surface for one drawing call: pixel coordinates in 64 bits, so that
// a device coordinate plus the surface's origin never overflows, and the clip rectangle every
// write is checked against. Shapes convert their coordinates once and then work in pixel
// coordinates only.

struct Point64 {
    int64_t x;
    int64_t y;
    bool operator==(const Point64 &) const = default;
};

// The writable pixels of a surface: the rectangle (in pixel coordinates) every write is checked
// against, where its rows are, and the offset from device to pixel coordinates. Every row
// handed out for writing gets its surface's new row id, in `row_ids` (which a clip that is not
// empty always has).
struct Clip : platform::Rect {
    uint32_t *pixels = nullptr;
    int64_t stride = 0;
    int64_t offset_x = 0, offset_y = 0;
    platform::RowId *row_ids = nullptr;
    uint64_t id_base = 0;

    bool empty() const { return !pixels || Rect::empty(); }
    Point64 at(int32_t x, int32_t y) const { return {x + offset_x, y + offset_y}; }
    uint32_t *row(int64_t y) const {
        row_ids[y] = platform::RowId{id_base + uint64_t(y), 0};
        return pixels + y * stride;
    }
    // Rows y0 ... y1 written, through `pixels` or `marked_row`.
    void written(int64_t y0, int64_t y1) const {
        for (int64_t y = y0; y <= y1; y++) row_ids[y] = platform::RowId{id_base + uint64_t(y), 0};
    }
    // Row y, to be written after written() was called for it.
    uint32_t *marked_row(int64_t y) const { return pixels + y * stride; }
};

// The part of `surface` that drawing calls may change: its clip, inside its pixels. Empty when
// that holds no pixel.
inline Clip clip_of(Surface &surface) {
    Clip c;
    platform::Rect writable = platform::intersect(surface.clip, surface.bounds());
    if (writable.empty()) return c;
    static_cast<platform::Rect &>(c) = writable;
    Surface::Writes writes = surface.begin_writes();
    c.pixels = writes.pixels;
    c.row_ids = writes.row_ids;
    c.id_base = writes.base;
    c.stride = surface.width;
    c.offset_x = surface.origin_x;
    c.offset_y = surface.origin_y;
    return c;
}

// n pixels from p. Short spans, the most common, in 8- and 16-byte stores, the last of which
// may overlap earlier ones (a plain loop stays at 4 bytes a store at -O2); from 32 pixels on,
// the C library's wmemset, which aligns its stores and uses the widest the processor has.
inline void fill_pixels(uint32_t *p, int64_t n, uint32_t color) {
    static_assert(sizeof(wchar_t) == sizeof(uint32_t), "wmemset fills 32-bit units");
    const uint32_t four[4] = {color, color, color, color};
    if (n >= 32) {
        std::wmemset(reinterpret_cast<wchar_t *>(p), static_cast<wchar_t>(color), size_t(n));
        return;
    }
    if (n < 8) {
        if (n >= 4) {
            std::memcpy(p, four, 16);
            std::memcpy(p + n - 4, four, 16);
        } else if (n >= 2) {
            std::memcpy(p, four, 8);
            std::memcpy(p + n - 2, four, 8);
        } else if (n == 1) {
            *p = color;
        }
        return;
    }
    for (int64_t i = 0; i + 8 <= n; i += 8) {
        std::memcpy(p + i, four, 16);
        std::memcpy(p + i + 4, four, 16);
    }
    std::memcpy(p + n - 8, four, 16);
    std::memcpy(p + n - 4, four, 16);
}

// Pixels x0 ... x1 (both included) of row y, clipped. Nothing when x1 < x0.
__attribute__((always_inline)) inline void fill_span(const Clip &c, int64_t y, int64_t x0,
                                                     int64_t x1, uint32_t color) {
    if (y < c.top || y >= c.bottom) return;
    x0 = std::max(x0, c.left);
    x1 = std::min(x1, c.right - 1);
    if (x1 < x0) return;
    fill_pixels(c.row(y) + x0, x1 - x0 + 1, color);
}

// Columns x0 ... x1 of rows y0 ... y1 (all included), clipped.
inline void fill_box(const Clip &c, int64_t x0, int64_t y0, int64_t x1, int64_t y1,
                     uint32_t color) {
    x0 = std::max(x0, c.left);
    x1 = std::min(x1, c.right - 1);
    y0 = std::max(y0, c.top);
    y1 = std::min(y1, c.bottom - 1);
    if (x1 < x0 || y1 < y0) return;
    c.written(y0, y1);
    for (int64_t y = y0; y <= y1; y++) fill_pixels(c.marked_row(y) + x0, x1 - x0 + 1, color);
}

inline void put_pixel(const Clip &c, int64_t x, int64_t y, uint32_t color) {
    if (c.contains(x, y)) c.row(y)[x] = color;
}

// ---- Scratch buffers ----------------------------------------------------------------------------

// A buffer for per-shape working data: on the stack when small, on the heap only when not.
// T should be trivially constructible, so that the stack part costs nothing to set up.

template <typename T, size_t N>
class Scratch {
  public:
    explicit Scratch(size_t count) {
        if (count > N) {
            heap_.resize(count);
            data_ = heap_.data();
        }
    }
    Scratch(const Scratch &) = delete;
    Scratch &operator=(const Scratch &) = delete;

    T &operator[](size_t i) { return data_[i]; }
    const T &operator[](size_t i) const { return data_[i]; }
    T *data() { return data_; }

  private:
    T local_[N]; // left uninitialised: callers write before they read
    std::vector<T> heap_;
    T *data_ = local_;
};

// ---- Exact integer arithmetic -------------------------------------------------------------------

// Exact integer helpers for the rasterizer: products of pixel coordinates need more than 64 bits.

// __extension__ keeps -Wpedantic quiet about the compiler's 128-bit integer.
__extension__ typedef __int128 int128;

// Rounds num / den towards +infinity and -infinity; den > 0. Most operands fit in 64 bits,
// where division is several times cheaper.
inline bool fits64(int128 v) {
    return v == int128(int64_t(v));
}
inline int128 ceil_div(int128 num, int128 den) {
    if (fits64(num) && fits64(den)) {
        const int64_t n = int64_t(num), d = int64_t(den);
        return n / d + (n % d != 0 && n > 0);
    }
    int128 q = num / den;
    if (num % den != 0 && num > 0) q++;
    return q;
}
inline int128 floor_div(int128 num, int128 den) {
    if (fits64(num) && fits64(den)) {
        const int64_t n = int64_t(num), d = int64_t(den);
        return n / d - (n % d != 0 && n < 0);
    }
    int128 q = num / den;
    if (num % den != 0 && num < 0) q--;
    return q;
}

inline int64_t abs64(int64_t v) {
    return v < 0 ? -v : v;
}

} // namespace raster
