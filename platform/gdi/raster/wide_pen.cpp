// Wide pens: segment bodies and polylines.
#include "platform/gdi/raster/wide_pen.h"
#include "platform/gdi/raster/int_math.h"
#include "platform/gdi/raster/polygon_fill.h"
#include "platform/gdi/raster/scratch.h"
#include "platform/gdi/raster/stamp.h"

#include <cmath>

namespace raster {

namespace {

// Rounds half away from zero, for the non-negative half widths.
int64_t round_half_up(double v) {
    return int64_t(std::floor(v + 0.5));
}

} // namespace

void fill_body(const Clip &c, Point64 p1, Point64 p2, int64_t w, uint32_t color) {
    const int64_t dx = p2.x - p1.x, dy = p2.y - p1.y;
    if (dy == 0) {
        fill_box(c, std::min(p1.x, p2.x), p1.y - w / 2, std::max(p1.x, p2.x) - 1,
                 p1.y - w / 2 + w - 1, color);
        return;
    }
    if (dx == 0) {
        fill_box(c, p1.x - w / 2, std::min(p1.y, p2.y), p1.x - w / 2 + w - 1,
                 std::max(p1.y, p2.y) - 1, color);
        return;
    }
    // Half widths across the segment, split into a narrow and a wide half.
    const double length = std::sqrt(double(dx) * double(dx) + double(dy) * double(dy));
    const double hx = double(w) * double(abs64(dy)) / length;
    const double hy = double(w) * double(abs64(dx)) / length;
    const int64_t nx = round_half_up(hx / 2), ny = round_half_up(hy / 2);
    const int64_t fx = round_half_up((hx + 1) / 2), fy = round_half_up((hy + 1) / 2);
    const int64_t s = (dx > 0) == (dy > 0) ? 1 : -1;
    const Point64 corners[4] = {
        {p1.x + fx, p1.y - s * fy},
        {p2.x + fx, p2.y - s * fy},
        {p2.x - nx, p2.y + s * ny},
        {p1.x - nx, p1.y + s * ny},
    };
    fill_polygon(c, corners, 4, color);
}

void wide_polyline(const Clip &c, const Point64 *points, size_t count, bool closed, int64_t w,
                   uint32_t color) {
    Scratch<Point64, 16> kept(count);
    size_t n = 0;
    for (size_t i = 0; i < count; i++)
        if (n == 0 || !(points[i] == kept[n - 1])) kept[n++] = points[i];
    if (closed && n > 1 && kept[n - 1] == kept[0]) n--;
    if (n == 0) return;

    for (size_t i = 0; i + 1 < n; i++) fill_body(c, kept[i], kept[i + 1], w, color);
    if (closed && n > 2) fill_body(c, kept[n - 1], kept[0], w, color);
    for (size_t i = 0; i < n; i++) fill_stamp(c, kept[i], w, color);
}

} // namespace raster
