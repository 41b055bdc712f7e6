// Copies of pixels: BitBlt between DCs and ScrollDC within one.
#include "platform/gdi/dc.h"
#include "platform/gdi/raster/clip.h"

#include <algorithm>
#include <cstring>

using namespace gdi;
using platform::Rect;

namespace {

// The pixels a copy reads: the part of a surface its DC may touch, in device coordinates
// (from its clip and origin, as drawing calls see it), and where device (0, 0) lies.
struct Source {
    const platform::Surface &surface;
    Rect device;
    int64_t offset_x, offset_y;
    const uint32_t *pixel(int64_t x, int64_t y) const {
        return surface.row(int(y + offset_y)) + (x + offset_x);
    }
};

Source source_of(const platform::Surface &surface) {
    Rect pixels = platform::intersect(surface.clip, surface.bounds());
    return Source{surface, platform::shifted(pixels, -surface.origin_x, -surface.origin_y),
                  surface.origin_x, surface.origin_y};
}

// The clip's pixels, in the device coordinates of its DC.
Rect device_clip(const raster::Clip &c) {
    return platform::shifted(c, -c.offset_x, -c.offset_y);
}

// Copies the device box `to` of `dest` from `source`, where device (x, y) of dest takes
// device (x - dx, y - dy) of source. Rows are copied in an order that is safe when both are the
// same pixels.
void copy_box(const raster::Clip &dest, const Source &source, Rect to, int64_t dx, int64_t dy) {
    if (to.empty()) return;
    size_t bytes = size_t(to.right - to.left) * sizeof(uint32_t);
    bool same = dest.pixels == source.surface.row(0);
    bool upward = same && dy > 0;
    for (int64_t i = 0; i < to.bottom - to.top; i++) {
        int64_t y = upward ? to.bottom - 1 - i : to.top + i;
        uint32_t *into = dest.row(y + dest.offset_y) + (to.left + dest.offset_x);
        const uint32_t *from = source.pixel(to.left - dx, y - dy);
        // Between two surfaces rows never overlap: memcpy, which the sanitizers pass on to the
        // C library, where their memmove is a plain loop.
        if (same)
            std::memmove(into, from, bytes);
        else
            std::memcpy(into, from, bytes);
    }
}

// Whole rows of another surface's pixels: each row takes the id of what it is copied from, and
// the rows that hold those pixels already are not copied (a frame that changed little).
bool copy_whole_rows(platform::Surface &dest, const raster::Clip &into, const Source &source,
                     Rect to, int64_t dx, int64_t dy) {
    if (&dest == &source.surface || to.left + into.offset_x != 0 ||
        to.right + into.offset_x != dest.width)
        return false;
    const int64_t source_x = to.left - dx + source.offset_x;
    for (int64_t y = to.top; y < to.bottom; y++)
        dest.copy_row(int(y + into.offset_y), source.surface, int(y - dy + source.offset_y),
                      source_x);
    return true;
}

// The part of the area that nothing moved into, as a bounding rectangle.
Rect uncovered_by(Rect uncovered, const Rect &moved) {
    if (!moved.empty() && moved.left <= uncovered.left && moved.right >= uncovered.right) {
        if (moved.top <= uncovered.top)
            uncovered.top = std::max(uncovered.top, moved.bottom);
        else if (moved.bottom >= uncovered.bottom)
            uncovered.bottom = moved.top;
    } else if (!moved.empty() && moved.top <= uncovered.top && moved.bottom >= uncovered.bottom) {
        if (moved.left <= uncovered.left)
            uncovered.left = std::max(uncovered.left, moved.right);
        else if (moved.right >= uncovered.right)
            uncovered.right = moved.left;
    }
    return uncovered.empty() ? Rect{} : uncovered;
}

} // namespace

BOOL BitBlt(HDC dest_handle, int x, int y, int width, int height, HDC source_handle, int source_x,
            int source_y, DWORD rop) {
    if (rop != SRCCOPY) return FALSE;
    DeviceContext *dest = find_dc(dest_handle);
    DeviceContext *source = find_dc(source_handle);
    if (!dest || !source) return FALSE;
    platform::Surface *to = dc_surface(*dest), *from = dc_surface(*source);
    if (!to || !from) return FALSE;
    if (width <= 0 || height <= 0) return TRUE;
    const Source out_of = source_of(*from);
    const raster::Clip into = raster::clip_of(*to);
    int64_t dx = int64_t(x) - source_x, dy = int64_t(y) - source_y;
    Rect wanted{x, y, int64_t(x) + width, int64_t(y) + height};
    Rect box = platform::intersect(platform::intersect(wanted, device_clip(into)),
                                   platform::shifted(out_of.device, dx, dy));
    if (!box.empty() && !copy_whole_rows(*to, into, out_of, box, dx, dy))
        copy_box(into, out_of, box, dx, dy);
    to->changed = true;
    return TRUE;
}

BOOL ScrollDC(HDC handle, int dx, int dy, const RECT *scroll, const RECT *clip, HRGN,
              LPRECT update) {
    DeviceContext *dc = find_dc(handle);
    platform::Surface *surface = dc ? dc_surface(*dc) : nullptr;
    if (!surface) return FALSE;
    const raster::Clip c = raster::clip_of(*surface);
    Rect whole = device_clip(c);
    Rect area = scroll ? platform::intersect(whole, platform::rect_of(*scroll)) : whole;
    Rect limit = clip ? platform::intersect(whole, platform::rect_of(*clip)) : whole;
    Rect moved = platform::intersect(platform::shifted(area, dx, dy), limit);
    // The whole drawing area scrolled up or down, when it is the surface's bottom rows (a
    // window's client area: the log's new line), moves where the rows start, not their pixels.
    bool whole_rows = dx == 0 && !area.empty() && area == whole && limit == whole && c.left == 0 &&
                      c.right == surface->width && c.bottom == surface->height;
    if (whole_rows)
        surface->scroll(int(c.top), dy);
    else
        copy_box(c, source_of(*surface), moved, dx, dy);
    surface->changed = true;
    if (update)
        *update = platform::windows_rect(uncovered_by(platform::intersect(area, limit), moved));
    return TRUE;
}
