// SetPixel, and solid fills of device rectangles.
#include "platform/gdi/raster/canvas.h"

namespace raster {

void set_pixel(Surface &surface, int32_t x, int32_t y, uint32_t color) {
    Clip c = clip_of(surface);
    if (c.empty()) return;
    Point64 p = c.at(x, y);
    put_pixel(c, p.x, p.y, color);
}

void fill(Surface &surface, const platform::Rect &area, uint32_t color) {
    Clip c = clip_of(surface);
    if (c.empty() || area.empty()) return;
    platform::Rect pixels = platform::shifted(area, c.offset_x, c.offset_y);
    fill_box(c, pixels.left, pixels.top, pixels.right - 1, pixels.bottom - 1, color);
}

} // namespace raster
