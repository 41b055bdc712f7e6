// LineTo: one-pixel lines leave out the end point; wide pens draw a round-capped stroke.
#include "platform/gdi/raster/thin_line.h"
#include "platform/gdi/raster/wide_pen.h"

namespace raster {

void line(Surface &surface, int32_t x0, int32_t y0, int32_t x1, int32_t y1, const Pen &pen) {
    Clip c = clip_of(surface);
    if (c.empty() || pen.null) return;
    const Point64 ends[2] = {c.at(x0, y0), c.at(x1, y1)};
    if (pen.width >= 2)
        wide_polyline(c, ends, 2, false, pen.width, pen.color);
    else
        thin_line(c, ends[0], ends[1], pen.color);
}

} // namespace raster
