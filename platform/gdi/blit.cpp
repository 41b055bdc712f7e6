// Copies of pixels: BitBlt between DCs and ScrollDC within one.
#include "platform/gdi/dc.h"
#include "platform/user/window_surface.h"

#include <algorithm>
#include <cstring>

using namespace gdi;

namespace {

struct Box {
    int64_t left, top, right, bottom; // right and bottom excluded
    bool empty() const { return left >= right || top >= bottom; }
};

Box intersect(Box a, Box b) {
    return Box{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
               std::min(a.bottom, b.bottom)};
}

bool equal(Box a, Box b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

Box shifted(Box b, int64_t dx, int64_t dy) {
    return Box{b.left + dx, b.top + dy, b.right + dx, b.bottom + dy};
}

// The target's writable pixels, in its own device coordinates.
Box device_clip(const raster::Target &t) {
    return Box{int64_t(t.clip_left) - t.offset_x, int64_t(t.clip_top) - t.offset_y,
               int64_t(t.clip_right) - t.offset_x, int64_t(t.clip_bottom) - t.offset_y};
}

uint32_t *pixel(const raster::Target &t, int64_t x, int64_t y) {
    return t.pixels + (y + t.offset_y) * t.stride + (x + t.offset_x);
}

// Copies the device box `to` of `dest` from `source`, where device (x, y) of dest takes
// device (x - dx, y - dy) of source. Rows are copied in an order that is safe when both are the
// same pixels.
void copy_box(const raster::Target &dest, const raster::Target &source, Box to, int64_t dx,
              int64_t dy) {
    if (to.empty()) return;
    size_t bytes = size_t(to.right - to.left) * sizeof(uint32_t);
    bool upward = dest.pixels == source.pixels && dy > 0;
    for (int64_t i = 0; i < to.bottom - to.top; i++) {
        int64_t y = upward ? to.bottom - 1 - i : to.top + i;
        std::memmove(pixel(dest, to.left, y), pixel(source, to.left - dx, y - dy), bytes);
    }
}

} // namespace

BOOL BitBlt(HDC dest_handle, int x, int y, int width, int height, HDC source_handle, int source_x,
            int source_y, DWORD rop) {
    if (rop != SRCCOPY) return FALSE;
    DeviceContext *dest = find_dc(dest_handle);
    DeviceContext *source = find_dc(source_handle);
    if (!dest || !source) return FALSE;
    raster::Target to, from;
    if (!dc_target(*dest, to) || !dc_target(*source, from)) return FALSE;
    if (width <= 0 || height <= 0) return TRUE;
    int64_t dx = int64_t(x) - source_x, dy = int64_t(y) - source_y;
    Box wanted{x, y, int64_t(x) + width, int64_t(y) + height};
    Box box = intersect(intersect(wanted, device_clip(to)), shifted(device_clip(from), dx, dy));
    copy_box(to, from, box, dx, dy);
    dc_changed(*dest);
    return TRUE;
}

BOOL ScrollDC(HDC handle, int dx, int dy, const RECT *scroll, const RECT *clip, HRGN,
              LPRECT update) {
    DeviceContext *dc = find_dc(handle);
    raster::Target t;
    if (!dc || !dc_target(*dc, t)) return FALSE;
    Box whole = device_clip(t);
    Box area = scroll
                   ? intersect(whole, Box{scroll->left, scroll->top, scroll->right, scroll->bottom})
                   : whole;
    Box limit =
        clip ? intersect(whole, Box{clip->left, clip->top, clip->right, clip->bottom}) : whole;
    Box moved = intersect(shifted(area, dx, dy), limit);
    // A window's whole client area scrolled up or down (the log's new line) moves where the
    // window's rows start, not its pixels.
    bool whole_client = dc->window && dx == 0 && !area.empty() && equal(area, whole) &&
                        equal(limit, whole) && user::scroll_window_client(dc->window, dy);
    if (!whole_client) copy_box(t, t, moved, dx, dy);
    dc_changed(*dc);
    if (update) {
        // The part of the area that nothing moved into, as a bounding rectangle.
        Box uncovered = intersect(area, limit);
        if (!moved.empty() && moved.left <= uncovered.left && moved.right >= uncovered.right) {
            if (moved.top <= uncovered.top)
                uncovered.top = std::max(uncovered.top, moved.bottom);
            else if (moved.bottom >= uncovered.bottom)
                uncovered.bottom = moved.top;
        } else if (!moved.empty() && moved.top <= uncovered.top &&
                   moved.bottom >= uncovered.bottom) {
            if (moved.left <= uncovered.left)
                uncovered.left = std::max(uncovered.left, moved.right);
            else if (moved.right >= uncovered.right)
                uncovered.right = moved.left;
        }
        if (uncovered.empty()) uncovered = Box{0, 0, 0, 0};
        *update = RECT{LONG(uncovered.left), LONG(uncovered.top), LONG(uncovered.right),
                       LONG(uncovered.bottom)};
    }
    return TRUE;
}
