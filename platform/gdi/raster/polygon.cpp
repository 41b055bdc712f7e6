// Polygon: the brush by the ALTERNATE rule, then the closed outline over it. The scan conversion
// keeps an active edge list over the visible rows, with each edge's crossing kept exactly as
// quotient and remainder.
#include "platform/gdi/raster/shapes.h"

namespace raster {

namespace {

struct Edge {
    int64_t top, bottom; // rows top ... bottom-1
    int64_t x_top;       // x at row `top`
    int64_t dx, dy;      // towards the bottom end; dy > 0
    // Crossing at the current row: x = x_top + q, where q = ceil(num / dy), num = q*dy - r.
    int64_t q, r;
    int64_t step_q, step_r; // dx = step_q * dy + step_r, 0 <= step_r < dy

    void start_at(int64_t y) {
        int128 num = int128(y - top) * dx;
        q = int64_t(ceil_div(num, dy));
        r = int64_t(int128(q) * dy - num);
        step_q = int64_t(floor_div(dx, dy));
        step_r = dx - step_q * dy;
    }
    int64_t x() const { return x_top + q; }
    void next_row() {
        q += step_q;
        r -= step_r;
        const int64_t borrow = r >> 63; // -1 when r went negative, else 0
        r += dy & borrow;
        q -= borrow;
    }
};

Edge edge_between(Point64 a, Point64 b) {
    if (a.y > b.y) std::swap(a, b);
    Edge e;
    e.top = a.y;
    e.bottom = b.y;
    e.x_top = a.x;
    e.dx = b.x - a.x;
    e.dy = b.y - a.y;
    return e;
}

// Polygons whose outline runs down from the top vertex on one side and back up on the other
// (triangles, convex polygons, wide-pen bodies) cross every row exactly twice, once on each
// side: no edge list, just the current edge of each side. False when the outline is not of
// that kind.
bool fill_two_sides(const Clip &c, const Point64 *points, size_t count, uint32_t color) {
    size_t top = 0;
    for (size_t i = 1; i < count; i++)
        if (points[i].y < points[top].y) top = i;
    // Point k after the top one, for 0 <= k <= count (no division: it would cost more than the
    // rest of a small polygon's set-up).
    auto at = [&](size_t k) {
        size_t i = top + k;
        return points[i >= count ? i - count : i];
    };
    // Edges 0 ... turn-1 (from the top, going forwards) go down or level, the rest up or level.
    size_t turn = count;
    for (size_t k = 0; k < count; k++) {
        int64_t dy = at(k + 1).y - at(k).y;
        if (turn == count) {
            if (dy < 0) turn = k;
        } else if (dy > 0) {
            return false;
        }
    }
    if (turn == count) return true; // all on one row: nothing inside

    // Each side's non-horizontal edges, top to bottom.
    Scratch<Edge, 16> sides(count);
    size_t first_count = 0, total = 0;
    for (size_t k = 0; k < turn; k++)
        if (at(k).y != at(k + 1).y) sides[total++] = edge_between(at(k), at(k + 1));
    first_count = total;
    for (size_t k = count; k-- > turn;)
        if (at(k).y != at(k + 1).y) sides[total++] = edge_between(at(k), at(k + 1));
    if (first_count == 0 || first_count == total) return true;

    const int64_t first_row = std::max(points[top].y, c.top);
    const int64_t last_row = std::min(sides[first_count - 1].bottom, c.bottom) - 1;
    // The current edge of each side is stepped in a copy of its own, which can stay in
    // registers while the rows are filled.
    size_t a = 0, b = first_count;
    Edge ea{}, eb{};
    bool started = false;
    for (int64_t y = first_row; y <= last_row; y++) {
        if (started) {
            ea.next_row();
            eb.next_row();
        }
        if (!started || ea.bottom <= y) {
            while (sides[a].bottom <= y) a++;
            ea = sides[a];
            ea.start_at(y);
        }
        if (!started || eb.bottom <= y) {
            while (sides[b].bottom <= y) b++;
            eb = sides[b];
            eb.start_at(y);
        }
        started = true;
        const int64_t xa = ea.x(), xb = eb.x();
        fill_span(c, y, std::min(xa, xb), std::max(xa, xb) - 1, color);
    }
    return true;
}

// Sorts the active edges by their crossings: an insertion sort, because the order carries over
// from row to row almost unchanged.
void sort_active(const Edge *edges, size_t *active, int64_t *x, size_t n) {
    for (size_t i = 0; i < n; i++) x[i] = edges[active[i]].x();
    for (size_t i = 1; i < n; i++) {
        int64_t key = x[i];
        size_t index = active[i];
        size_t j = i;
        for (; j > 0 && x[j - 1] > key; j--) {
            x[j] = x[j - 1];
            active[j] = active[j - 1];
        }
        x[j] = key;
        active[j] = index;
    }
}

} // namespace

void fill_polygon(const Clip &c, const Point64 *points, size_t count, uint32_t color) {
    if (count < 3 || c.empty()) return;
    if (fill_two_sides(c, points, count, color)) return;

    Scratch<Edge, 16> edges(count);
    size_t edge_count = 0;
    int64_t first_row = INT64_MAX, last_row = INT64_MIN;
    for (size_t i = 0; i < count; i++) {
        Point64 a = points[i], b = points[(i + 1) % count];
        if (a.y == b.y) continue;
        if (a.y > b.y) std::swap(a, b);
        if (b.y <= c.top || a.y >= c.bottom) continue;
        Edge &e = edges[edge_count++];
        e.top = a.y;
        e.bottom = b.y;
        e.x_top = a.x;
        e.dx = b.x - a.x;
        e.dy = b.y - a.y;
        first_row = std::min(first_row, a.y);
        last_row = std::max(last_row, b.y - 1);
    }
    if (edge_count < 2) return;
    first_row = std::max(first_row, c.top);
    last_row = std::min(last_row, c.bottom - 1);

    // Edges by their first visible row; `waiting` indexes the next one to become active.
    Edge *e = edges.data();
    std::sort(e, e + edge_count, [](const Edge &a, const Edge &b) { return a.top < b.top; });
    Scratch<size_t, 16> active(edge_count);
    Scratch<int64_t, 16> crossings(edge_count);
    size_t active_count = 0, waiting = 0;

    for (int64_t y = first_row; y <= last_row; y++) {
        size_t kept = 0;
        for (size_t k = 0; k < active_count; k++) {
            Edge &edge = e[active[k]];
            if (edge.bottom > y) {
                edge.next_row();
                active[kept++] = active[k];
            }
        }
        active_count = kept;
        for (; waiting < edge_count && e[waiting].top <= y; waiting++) {
            if (e[waiting].bottom <= y) continue;
            e[waiting].start_at(y);
            active[active_count++] = waiting;
        }
        if (active_count < 2) continue;

        sort_active(e, active.data(), crossings.data(), active_count);
        for (size_t k = 0; k + 1 < active_count; k += 2)
            fill_span(c, y, crossings[k], crossings[k + 1] - 1, color);
    }
}

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
