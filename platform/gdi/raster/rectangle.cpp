// Rectangle: the outline path (R,t) -> (l,t) -> (l,B) -> (R,B) -> (R,t) through the last column
// R and row B inside the box, and the brush inside it.
// SetPixel, and solid fills of device rectangles.
#include "platform/gdi/raster/shapes.h"

namespace raster {

void rectangle_pixels(const Clip &c, int64_t left, int64_t top, int64_t right, int64_t bottom,
                      const Pen &pen, const Brush &brush) {
    if (left == right || top == bottom) return;
    const int64_t last_x = right - 1, last_y = bottom - 1;

    if (pen.null) {
        // Without a pen the brush covers one pixel less in width and height.
        if (!brush.null) fill_box(c, left, top, last_x - 1, last_y - 1, brush.color);
        return;
    }
    if (pen.width <= 1) {
        if (last_x == left && last_y == top) return; // a 1x1 box draws nothing
        // One pass over the whole box where the pen covers all of it (a box one pixel wide or
        // high is a single full line) or the brush has the pen's colour.
        if (last_x == left || last_y == top || (!brush.null && brush.color == pen.color)) {
            fill_box(c, left, top, last_x, last_y, pen.color);
            return;
        }
        if (!brush.null) fill_box(c, left + 1, top + 1, last_x - 1, last_y - 1, brush.color);
        // One-pixel segments of the path: every corner starts a segment, so all are drawn.
        fill_span(c, top, left, last_x, pen.color);
        fill_span(c, last_y, left, last_x, pen.color);
        fill_box(c, left, top + 1, left, last_y - 1, pen.color);
        fill_box(c, last_x, top + 1, last_x, last_y - 1, pen.color);
        return;
    }
    // A wide pen: the same closed path with round joins, over the brush.
    if (!brush.null) fill_box(c, left, top, last_x - 1, last_y - 1, brush.color);
    const Point64 path[4] = {{last_x, top}, {left, top}, {left, last_y}, {last_x, last_y}};
    wide_polyline(c, path, 4, true, pen.width, pen.color);
}

void rectangle(Surface &surface, int32_t left, int32_t top, int32_t right, int32_t bottom,
               const Pen &pen, const Brush &brush) {
    Clip c = clip_of(surface);
    if (c.empty()) return;
    Point64 a = c.at(left, top), b = c.at(right, bottom);
    rectangle_pixels(c, std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x),
                     std::max(a.y, b.y), pen, brush);
}

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
