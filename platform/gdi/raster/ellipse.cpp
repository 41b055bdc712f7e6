// Ellipse: small boxes as Rectangle, otherwise the walk's outline, its row hull as the brush
// area, and wide pens as a ring through the outline points.
#include "platform/gdi/raster/ellipse_ring.h"
#include "platform/gdi/raster/ellipse_rows.h"
#include "platform/gdi/raster/rectangle.h"

namespace raster {

namespace {

// Every row of the box from the leftmost to the rightmost outline pixel.
void fill_hull(const Clip &c, int64_t left, int64_t top, int64_t width, int64_t height,
               uint32_t color) {
    for_each_outline_row(left, top, width, height, c.top, c.bottom - 1, [&](const OutlineRow &r) {
        fill_span(c, r.y, r.left_first, r.right_first, color);
    });
}

} // namespace

void ellipse(Surface &surface, int32_t left, int32_t top, int32_t right, int32_t bottom,
             const Pen &pen, const Brush &brush) {
    Clip c = clip_of(surface);
    if (c.empty()) return;
    Point64 a = c.at(left, top), b = c.at(right, bottom);
    const int64_t l = std::min(a.x, b.x), t = std::min(a.y, b.y);
    const int64_t width = std::max(a.x, b.x) - l, height = std::max(a.y, b.y) - t;
    if (width == 0 || height == 0) return;

    if (pen.null) {
        // Without a pen the brush covers one pixel less in width and height, as with
        // Rectangle: the area the same box one pixel smaller covers with a pen.
        if (brush.null) return;
        if (width <= 3 || height <= 3)
            rectangle_pixels(c, l, t, l + width, t + height, pen, brush);
        else
            fill_hull(c, l, t, width - 1, height - 1, brush.color);
        return;
    }
    if (width <= 2 || height <= 2) {
        rectangle_pixels(c, l, t, l + width, t + height, pen, brush);
        return;
    }
    if (pen.width >= 2) {
        if (!brush.null) fill_hull(c, l, t, width, height, brush.color);
        ellipse_ring(c, l, t, width, height, pen.width, pen.color);
        return;
    }
    if (!brush.null && brush.color == pen.color) {
        fill_hull(c, l, t, width, height, pen.color);
        return;
    }
    for_each_outline_row(l, t, width, height, c.top, c.bottom - 1, [&](const OutlineRow &r) {
        if (!brush.null) fill_span(c, r.y, r.left_last + 1, r.right_last - 1, brush.color);
        fill_span(c, r.y, r.left_first, r.left_last, pen.color);
        fill_span(c, r.y, r.right_last, r.right_first, pen.color);
    });
}

} // namespace raster
