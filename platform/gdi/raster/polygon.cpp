// Polygon: the brush by the ALTERNATE rule, then the closed outline over it.
#include "platform/gdi/raster/polygon_fill.h"
#include "platform/gdi/raster/scratch.h"
#include "platform/gdi/raster/thin_line.h"
#include "platform/gdi/raster/wide_pen.h"

namespace raster {

void polygon(Surface &surface, const Point *points, int count, const Pen &pen, const Brush &brush) {
    Clip c = clip_of(surface);
    if (c.empty() || !points || count <= 0) return;
    const size_t n = size_t(count);
    Scratch<Point64, 16> corners(n);
    for (size_t i = 0; i < n; i++) corners[i] = c.at(points[i].x, points[i].y);

    if (!brush.null) fill_polygon(c, corners.data(), n, brush.color);
    if (pen.null) return;
    if (pen.width >= 2) {
        wide_polyline(c, corners.data(), n, true, pen.width, pen.color);
        return;
    }
    for (size_t i = 0; i < n; i++) thin_line(c, corners[i], corners[(i + 1) % n], pen.color);
}

} // namespace raster
