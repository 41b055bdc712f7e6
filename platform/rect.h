// Rectangles of pixels: the one rectangle type of the stand-in's drawing, windows and menus.
#pragma once

#include "platform/win.h"

#include <algorithm>
#include <cstdint>

namespace platform {

// The pixels left <= x < right, top <= y < bottom: right and bottom are excluded, and a rectangle
// whose ranges are empty holds nothing. In 64 bits, so that a 32-bit coordinate plus an offset
// or a size never overflows.
struct Rect {
    int64_t left = 0, top = 0, right = 0, bottom = 0;

    bool empty() const { return left >= right || top >= bottom; }
    bool contains(int64_t x, int64_t y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
    // Every pixel of `inner` is in this rectangle (an empty `inner` always is).
    bool covers(const Rect &inner) const {
        return inner.empty() || (left <= inner.left && top <= inner.top && right >= inner.right &&
                                 bottom >= inner.bottom);
    }
    bool operator==(const Rect &) const = default;
};

// The pixels in both; all zero when there are none.
inline Rect intersect(const Rect &a, const Rect &b) {
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    return r.empty() ? Rect{} : r;
}

// The smallest rectangle holding both; an empty one adds nothing.
inline Rect bounding_union(const Rect &a, const Rect &b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

inline Rect shifted(const Rect &r, int64_t dx, int64_t dy) {
    return Rect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

// Windows' RECT and back; the pixels of the stand-in's rectangles fit its 32-bit fields.
inline Rect rect_of(const RECT &r) {
    return Rect{r.left, r.top, r.right, r.bottom};
}
inline RECT windows_rect(const Rect &r) {
    return RECT{LONG(r.left), LONG(r.top), LONG(r.right), LONG(r.bottom)};
}

} // namespace platform
