// LineTo: one-pixel lines by the grid-intersection rule, clipped by computing the visible steps;
// wide pens as segment bodies and round stamps, with the stamps of the usual widths and the
// step patterns of ellipse rings precomputed.
#include "platform/gdi/raster/shapes.h"

#include <cmath>
#include <vector>

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

namespace {

// The line as steps i = 0 ... n-1 along the major axis; the minor coordinate of step i is
// minor0 + ceil((2*i*d - n) / (2n)), which rounds i*d/n to nearest with halves going down.
struct Steps {
    int64_t major0, minor0;
    int64_t major_sign; // +1 or -1
    int64_t n;          // |major delta| > 0
    int64_t d;          // signed minor delta, |d| <= n

    int64_t minor_at(int64_t i) const {
        return minor0 + int64_t(ceil_div(int128(2) * i * d - n, int128(2) * n));
    }
};

// First step in [lo, hi] whose minor coordinate passes `ok`, for a predicate that is false
// then true along the steps; hi + 1 when none does.
template <typename Ok>
int64_t first_step(const Steps &s, int64_t lo, int64_t hi, Ok ok) {
    int64_t a = lo, b = hi + 1;
    while (a < b) {
        int64_t mid = a + (b - a) / 2;
        if (ok(s.minor_at(mid)))
            b = mid;
        else
            a = mid + 1;
    }
    return a;
}

// Narrows [lo, hi] to the steps whose minor coordinate lies in [min_lo, min_hi].
void clip_minor(const Steps &s, int64_t min_lo, int64_t min_hi, int64_t &lo, int64_t &hi) {
    if (lo > hi) return;
    if (s.d >= 0) { // minor coordinate grows with i
        lo = first_step(s, lo, hi, [&](int64_t v) { return v >= min_lo; });
        hi = first_step(s, lo, hi, [&](int64_t v) { return v > min_hi; }) - 1;
    } else {
        lo = first_step(s, lo, hi, [&](int64_t v) { return v <= min_hi; });
        hi = first_step(s, lo, hi, [&](int64_t v) { return v < min_lo; }) - 1;
    }
}

// Narrows the steps lo ... hi (all of them, at first) to those inside the clip: the ones whose
// major coordinate lies in it, then, when some minor coordinates can fall outside it, the ones
// whose minor coordinate does. False when none is left.
bool visible_steps(const Clip &c, const Steps &s, bool x_major, int64_t minor1, int64_t &lo,
                   int64_t &hi) {
    int64_t maj_lo = x_major ? c.left : c.top, maj_hi = (x_major ? c.right : c.bottom) - 1;
    int64_t min_lo = x_major ? c.top : c.left, min_hi = (x_major ? c.bottom : c.right) - 1;
    if (s.major_sign > 0) {
        lo = std::max(lo, maj_lo - s.major0);
        hi = std::min(hi, maj_hi - s.major0);
    } else {
        lo = std::max(lo, s.major0 - maj_hi);
        hi = std::min(hi, s.major0 - maj_lo);
    }
    if (lo > hi) return false;
    // The minor coordinates lie between those of the two end points; search only when some
    // of them can fall outside the clip.
    if (std::min(s.minor0, minor1) < min_lo || std::max(s.minor0, minor1) > min_hi)
        clip_minor(s, min_lo, min_hi, lo, hi);
    return lo <= hi;
}

// Writes steps lo ... hi, all inside the clip; num = 2*i*d - n = q * 2n - r with 0 <= r < 2n.
void walk_steps(const Clip &c, const Steps &s, bool x_major, int64_t lo, int64_t hi,
                uint32_t color) {
    const int64_t two_n = 2 * s.n, two_d = 2 * s.d;
    int128 num = int128(2) * lo * s.d - s.n;
    int64_t q = int64_t(ceil_div(num, two_n));
    int64_t r = int64_t(int128(q) * two_n - num);
    int64_t major = s.major0 + s.major_sign * lo;
    int64_t minor = s.minor0 + q;
    const int64_t major_step = x_major ? s.major_sign : s.major_sign * c.stride;
    const int64_t minor_unit = x_major ? c.stride : 1;
    // An index rather than a pointer: after the last pixel it may point outside the block.
    uint32_t *const pixels = c.pixels;
    int64_t at = x_major ? minor * c.stride + major : major * c.stride + minor;
    int64_t count = hi - lo + 1;
    // The rows of the first and the last pixel are written, and all between them.
    const int64_t first_at = at;
    int64_t last_at = at;
    if (two_d >= 0) {
        for (int64_t k = 0; k < count; k++) {
            pixels[at] = color;
            last_at = at;
            at += major_step;
            r -= two_d;
            if (r < 0) {
                r += two_n;
                at += minor_unit;
            }
        }
    } else {
        for (int64_t k = 0; k < count; k++) {
            pixels[at] = color;
            last_at = at;
            at += major_step;
            r -= two_d;
            if (r >= two_n) {
                r -= two_n;
                at -= minor_unit;
            }
        }
    }
    c.written(std::min(first_at, last_at) / c.stride, std::max(first_at, last_at) / c.stride);
}

} // namespace

void thin_line(const Clip &c, Point64 p0, Point64 p1, uint32_t color) {
    int64_t dx = p1.x - p0.x, dy = p1.y - p0.y;
    if (dx == 0 && dy == 0) return;
    if (dy == 0) {
        if (dx > 0)
            fill_span(c, p0.y, p0.x, p1.x - 1, color);
        else
            fill_span(c, p0.y, p1.x + 1, p0.x, color);
        return;
    }

    bool x_major = abs64(dx) > abs64(dy);
    Steps s;
    s.major0 = x_major ? p0.x : p0.y;
    s.minor0 = x_major ? p0.y : p0.x;
    int64_t major_delta = x_major ? dx : dy;
    s.major_sign = major_delta > 0 ? 1 : -1;
    s.n = abs64(major_delta);
    s.d = x_major ? dy : dx;
    int64_t lo = 0, hi = s.n - 1;
    if (visible_steps(c, s, x_major, x_major ? p1.y : p1.x, lo, hi))
        walk_steps(c, s, x_major, lo, hi, color);
}

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

namespace {

// The stamps of all table widths one after another: w rows for width w, after the
// 2 + 3 + ... + (w-1) = (w-2)(w+1)/2 rows of the narrower ones.
struct StampTable {
    static constexpr int ROWS = (MAX_TABLE_STAMP + 2) * (MAX_TABLE_STAMP - 1) / 2;
    int16_t left[ROWS];
    int16_t right[ROWS];

    static int first_row(int w) { return (w - 2) * (w + 1) / 2; }

    StampTable() {
        for (int w = 2; w <= MAX_TABLE_STAMP; w++) {
            int base = first_row(w);
            for (int k = 0; k < w; k++) left[base + k] = 1, right[base + k] = 0;
            for_each_outline_row(-(w / 2), -(w / 2), w, w, -w, w, [&](const OutlineRow &r) {
                left[base + r.y + w / 2] = int16_t(r.left_first);
                right[base + r.y + w / 2] = int16_t(r.right_first);
            });
        }
    }
};

const StampTable &stamp_table() {
    static const StampTable table;
    return table;
}

} // namespace

StampRows stamp_rows(int w) {
    const StampTable &t = stamp_table();
    int base = StampTable::first_row(w);
    return StampRows{w, t.left + base, t.right + base};
}

void fill_stamp(const Clip &c, Point64 p, int64_t w, uint32_t color) {
    const int64_t top = p.y - w / 2, left = p.x - w / 2;
    if (top >= c.bottom || top + w <= c.top || left >= c.right || left + w <= c.left) return;
    if (w <= MAX_TABLE_STAMP) {
        StampRows rows = stamp_rows(int(w));
        int64_t k0 = std::max<int64_t>(0, c.top - top), k1 = std::min<int64_t>(w, c.bottom - top);
        for (int64_t k = k0; k < k1; k++)
            fill_span(c, top + k, p.x + rows.left[k], p.x + rows.right[k], color);
        return;
    }
    for_each_outline_row(left, top, w, w, c.top, c.bottom - 1, [&](const OutlineRow &r) {
        fill_span(c, r.y, r.left_first, r.right_first, color);
    });
}

namespace {

constexpr int SIDE = 2 * MAX_PATTERN_REACH + 1;

StepPattern build(int w, int dx, int dy) {
    std::vector<uint32_t> bitmap(size_t(SIDE * SIDE), 0);
    std::vector<platform::RowId> row_ids(static_cast<size_t>(SIDE));
    Clip c;
    c.pixels = bitmap.data();
    c.row_ids = row_ids.data();
    c.stride = SIDE;
    c.right = c.bottom = SIDE;
    const Point64 centre{MAX_PATTERN_REACH, MAX_PATTERN_REACH};
    fill_stamp(c, centre, w, 1);
    if (dx != 0 || dy != 0) fill_body(c, centre, Point64{centre.x + dx, centre.y + dy}, w, 1);

    StepPattern p;
    p.first_dy = MAX_PATTERN_REACH + 1;
    p.last_dy = -MAX_PATTERN_REACH - 1;
    p.row_convex = true;
    for (int i = 0; i < SIDE; i++) {
        const uint32_t *row = bitmap.data() + size_t(i * SIDE);
        int first = SIDE, last = -1, count = 0;
        for (int x = 0; x < SIDE; x++) {
            if (!row[x]) continue;
            first = std::min(first, x);
            last = x;
            count++;
        }
        p.left[i] = int16_t(first - MAX_PATTERN_REACH);
        p.right[i] = int16_t(last - MAX_PATTERN_REACH);
        if (count == 0) continue;
        if (count != last - first + 1) p.row_convex = false;
        p.first_dy = std::min(p.first_dy, i - MAX_PATTERN_REACH);
        p.last_dy = std::max(p.last_dy, i - MAX_PATTERN_REACH);
    }
    for (int dy = p.first_dy; dy <= p.last_dy; dy++)
        if (p.left[dy + MAX_PATTERN_REACH] > p.right[dy + MAX_PATTERN_REACH]) p.row_convex = false;
    p.reach = std::max(-p.first_dy, p.last_dy);
    return p;
}

// The patterns of each width, made when a ring of that width is first drawn.
struct PatternTable {
    StepPattern patterns[MAX_PATTERN_WIDTH - 1][9];
    int reach[MAX_PATTERN_WIDTH - 1];
    bool made[MAX_PATTERN_WIDTH - 1] = {};

    int of_width(int64_t w) {
        const int i = int(w - 2);
        if (made[i]) return i;
        int &r = reach[i];
        r = 0;
        for (int k = 0; k < 9; k++) {
            StepPattern &p = patterns[i][k] = build(int(w), k / 3 - 1, k % 3 - 1);
            r = p.row_convex && r >= 0 ? std::max(r, p.reach) : -1;
        }
        made[i] = true;
        return i;
    }
};

PatternTable &pattern_table() {
    static PatternTable table;
    return table;
}

} // namespace

const StepPattern *step_patterns_of(int64_t w) {
    PatternTable &table = pattern_table();
    return table.patterns[table.of_width(w)];
}

int step_patterns_reach(int64_t w) {
    PatternTable &table = pattern_table();
    return table.reach[table.of_width(w)];
}

} // namespace raster
