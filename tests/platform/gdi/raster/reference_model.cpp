// The literal rules.
#include "reference_model.h"

#include "platform/gdi/raster/shapes.h"

#include <algorithm>
#include <map>

namespace raster_test {

using raster::int128;

std::vector<Point64> walk_points(int64_t width, int64_t height) {
    const int128 a = width - 1, b = height - 1, odd = (height - 1) % 2;
    int128 x = a, y = height / 2;
    int128 sx = 4 * b * b * (1 - a), sy = 4 * a * a * (1 + odd), e = sx + sy + a * a * odd;
    std::vector<Point64> points;
    while (x >= width / 2) {
        points.push_back({int64_t(x), int64_t(y)});
        int128 t = 2 * e;
        if (t >= sx) {
            x -= 1;
            sx += 8 * b * b;
            e += sx;
        }
        if (t <= sy) {
            y += 1;
            sy += 8 * a * a;
            e += sy;
        }
    }
    return points;
}

std::vector<raster::QuarterRun> walk_runs(int64_t width, int64_t height) {
    std::vector<raster::QuarterRun> runs(size_t(raster::quarter_rows(height)), raster::NO_RUN);
    for (Point64 p : walk_points(width, height)) {
        raster::QuarterRun &run = runs.at(size_t(p.y - height / 2));
        if (run.empty()) run.first = p.x;
        run.last = p.x;
    }
    return runs;
}

std::vector<Point64> outline_loop(int64_t width, int64_t height) {
    const std::vector<Point64> walk = walk_points(width, height);
    std::vector<Point64> loop;
    auto mirror = [&](Point64 p, bool mx, bool my) {
        return Point64{mx ? width - 1 - p.x : p.x, my ? height - 1 - p.y : p.y};
    };
    for (Point64 p : walk) loop.push_back(mirror(p, false, false));
    for (auto it = walk.rbegin(); it != walk.rend(); ++it) loop.push_back(mirror(*it, true, false));
    for (Point64 p : walk) loop.push_back(mirror(p, true, true));
    for (auto it = walk.rbegin(); it != walk.rend(); ++it) loop.push_back(mirror(*it, false, true));
    return loop;
}

void reference_ellipse(const Clip &c, int64_t left, int64_t top, int64_t width, int64_t height,
                       bool pen, uint32_t pen_color, bool brush, uint32_t brush_color) {
    std::map<int64_t, std::pair<int64_t, int64_t>> hull;
    std::vector<Point64> outline;
    for (Point64 p : walk_points(width, height)) {
        for (Point64 q : {p, Point64{width - 1 - p.x, p.y}, Point64{p.x, height - 1 - p.y},
                          Point64{width - 1 - p.x, height - 1 - p.y}}) {
            outline.push_back(q);
            auto [it, added] = hull.try_emplace(q.y, q.x, q.x);
            it->second.first = std::min(it->second.first, q.x);
            it->second.second = std::max(it->second.second, q.x);
        }
    }
    if (brush)
        for (auto [y, span] : hull)
            for (int64_t x = span.first; x <= span.second; x++)
                raster::put_pixel(c, left + x, top + y, brush_color);
    if (pen)
        for (Point64 p : outline) raster::put_pixel(c, left + p.x, top + p.y, pen_color);
}

void reference_ring(const Clip &c, int64_t left, int64_t top, int64_t width, int64_t height,
                    int64_t w, uint32_t color) {
    std::vector<Point64> loop = outline_loop(width, height);
    for (Point64 &p : loop) p = {left + p.x, top + p.y};
    raster::wide_polyline(c, loop.data(), loop.size(), true, w, color);
}

void reference_line(const Clip &c, Point64 p0, Point64 p1, uint32_t color) {
    const int128 dx = p1.x - p0.x, dy = p1.y - p0.y;
    if (dx == 0 && dy == 0) return;
    const bool x_major = (dx < 0 ? -dx : dx) > (dy < 0 ? -dy : dy);
    const int128 major = x_major ? dx : dy, minor = x_major ? dy : dx;
    const int128 n = major < 0 ? -major : major;
    // Only the steps whose major coordinate lies in the clip can show.
    const int128 start = x_major ? p0.x : p0.y;
    const int128 lo = x_major ? c.left : c.top, hi = (x_major ? c.right : c.bottom) - 1;
    int128 first = major > 0 ? lo - start : start - hi, last = major > 0 ? hi - start : start - lo;
    first = std::max<int128>(first, 0);
    last = std::min<int128>(last, n - 1);
    for (int128 i = first; i <= last; i++) {
        // The exact minor offset i * minor / n, rounded to nearest, halves down.
        int128 offset = raster::ceil_div(2 * i * minor - n, 2 * n);
        int128 along = major < 0 ? -i : i;
        int64_t x = int64_t(x_major ? p0.x + along : p0.x + offset);
        int64_t y = int64_t(x_major ? p0.y + offset : p0.y + along);
        raster::put_pixel(c, x, y, color);
    }
}

void reference_fill(const Clip &c, const std::vector<Point64> &points, uint32_t color) {
    for (int64_t y = c.top; y < c.bottom; y++) {
        std::vector<int64_t> crossings;
        for (size_t i = 0; i < points.size(); i++) {
            Point64 a = points[i], b = points[(i + 1) % points.size()];
            if (a.y == b.y) continue;
            if (a.y > b.y) std::swap(a, b);
            if (y < a.y || y >= b.y) continue;
            // x = a.x + (y - a.y) (b.x - a.x) / (b.y - a.y), rounded up.
            crossings.push_back(
                int64_t(a.x + raster::ceil_div(int128(y - a.y) * (b.x - a.x), int128(b.y - a.y))));
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t k = 0; k + 1 < crossings.size(); k += 2)
            for (int64_t x = std::max(crossings[k], c.left);
                 x < std::min(crossings[k + 1], c.right); x++)
                raster::put_pixel(c, x, y, color);
    }
}

} // namespace raster_test
