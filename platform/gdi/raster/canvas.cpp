// Targets as canvases, and SetPixel.
#include "platform/gdi/raster/canvas.h"

namespace raster {

Canvas canvas_of(const Target &target) {
    Canvas c;
    if (!target.pixels || target.stride <= 0) return c;
    c.pixels = target.pixels;
    c.stride = target.stride;
    c.left = std::max(target.clip_left, 0);
    c.top = std::max(target.clip_top, 0);
    c.right = std::min(target.clip_right, target.stride);
    c.bottom = target.clip_bottom;
    c.offset_x = target.offset_x;
    c.offset_y = target.offset_y;
    return c;
}

void set_pixel(const Target &target, int32_t x, int32_t y, uint32_t color) {
    Canvas c = canvas_of(target);
    if (c.empty()) return;
    Point64 p = c.at(x, y);
    put_pixel(c, p.x, p.y, color);
}

} // namespace raster
