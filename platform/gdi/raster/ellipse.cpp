// Ellipse: small boxes as Rectangle, otherwise the walk's outline, its row hull as the brush
// area, and wide pens as a ring through the outline points (ellipse_ring.cpp). The quarter
// outline of a box comes from walking it, from computing single rows, or, for boxes too large
// for exact arithmetic, from the real ellipse.
#include "platform/gdi/raster/shapes.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace raster {

namespace {

// The walk itself, recording the rows j0 ... j1. 64-bit error terms suffice up to 2^16.
void walk_runs(int64_t width, int64_t height, int64_t j0, int64_t j1, QuarterRun *out) {
    const int64_t a = width - 1, b = height - 1, odd = b & 1;
    int64_t x = a, j = 0;
    int64_t sx = 4 * b * b * (1 - a), sy = 4 * a * a * (1 + odd), e = sx + sy + a * a * odd;
    const int64_t half = width / 2, rows = quarter_rows(height);
    while (x >= half && j <= j1 && j < rows) {
        if (j >= j0) {
            QuarterRun &run = out[j - j0];
            if (run.empty()) run.first = x;
            run.last = x;
        }
        int64_t t = 2 * e;
        bool moved = false;
        if (t >= sx) {
            x--;
            sx += 8 * b * b;
            e += sx;
            moved = true;
        }
        if (t <= sy) {
            j++;
            sy += 8 * a * a;
            e += sy;
            moved = true;
        }
        if (!moved) break; // cannot happen for boxes the walk handles; never spin
    }
}

// The walk's decisions as functions of its position. With i = a - X steps to the left and
// j rows down, the error term is a quadratic in i and j, so on row j:
//   g(j) = the first i where the walk steps down (2e <= sy),
//   k(j) = the first i where it stops stepping left (2e < sx),
// both non-decreasing in j. The walk enters row j + 1 at s(j+1) = min(k(j), max(s(j), g(j)) + 1)
// and covers i = s(j) ... max(s(j), g(j)) on row j. Exact in 128 bits for boxes up to 2^24.
class RowDecisions {
  public:
    RowDecisions(int64_t width, int64_t height) {
        a_ = width - 1;
        const int128 a = a_, b = height - 1, odd = (height - 1) & 1;
        a2_ = a * a;
        b8_ = 8 * b * b;
        sx0_ = 4 * b * b * (1 - a);
        sy0_ = 4 * a2_ * (1 + odd);
        e0_ = sx0_ + sy0_ + a2_ * odd;
        imax_ = a_ - width / 2;
        // Both quadratics in i are decreasing up to their vertex, at (a-2)/2 and (a-1)/2;
        // beyond it, within the quarter, their values repeat ones already tested.
        g_last_ = std::min(imax_, (a_ - 2) / 2);
        k_last_ = std::min(imax_ + 1, (a_ - 1) / 2);
    }

    int64_t last_step() const { return imax_; } // the walk records i = 0 ... imax
    int64_t a() const { return a_; }

    // g(j), searching from `from` (a known lower bound); imax + 1 when the walk never steps
    // down on row j.
    int64_t g(int64_t j, int64_t from) const {
        const int128 c = twice_e_without_i(j) - (sy0_ + 8 * a2_ * j);
        auto steps_down = [&](int64_t i) { return b8_ * i * i + (2 * sx0_ + b8_) * i + c <= 0; };
        int64_t found = first_true(from, g_last_, steps_down);
        return found > g_last_ ? imax_ + 1 : found;
    }

    // k(j), searching from `from`; imax + 2 when the walk steps left all along row j.
    int64_t k(int64_t j, int64_t from) const {
        const int128 c = twice_e_without_i(j) - sx0_;
        auto stops_left = [&](int64_t i) { return b8_ * i * i + 2 * sx0_ * i + c < 0; };
        int64_t found = first_true(from, k_last_, stops_left);
        return found > k_last_ ? imax_ + 2 : found;
    }

  private:
    // 2e at (0, j): the walk's error term after j steps down and none to the left.
    int128 twice_e_without_i(int64_t j) const {
        return 2 * (e0_ + j * sy0_ + 4 * a2_ * j * (j + 1));
    }

    // The first i in [lo, hi] where a predicate that is false, then true, holds; hi + 1 if
    // nowhere. Gallops from lo, since rows usually move the answer only a little.
    template <typename Pred>
    static int64_t first_true(int64_t lo, int64_t hi, Pred pred) {
        if (lo > hi) return hi + 1;
        if (pred(lo)) return lo;
        int64_t below = lo, step = 1; // pred(below) is false
        for (;;) {
            int64_t probe = below + step;
            if (probe >= hi) {
                if (!pred(hi)) return hi + 1;
                probe = hi;
            } else if (!pred(probe)) {
                below = probe;
                step *= 2;
                continue;
            }
            // pred(probe) holds: the answer is in (below, probe].
            while (probe - below > 1) {
                int64_t mid = below + (probe - below) / 2;
                if (pred(mid))
                    probe = mid;
                else
                    below = mid;
            }
            return probe;
        }
    }

    int64_t a_, imax_, g_last_, k_last_;
    int128 a2_, b8_, sx0_, sy0_, e0_;
};

void by_row_runs(int64_t width, int64_t height, int64_t j0, int64_t j1, QuarterRun *out) {
    const RowDecisions d(width, height);
    const int64_t imax = d.last_step();
    auto next_entry = [](int64_t s, int64_t g, int64_t k) {
        return std::min(k, std::max(s, g) + 1);
    };

    // Where the walk enters row j0. The entry follows from any earlier row's entry, and from
    // bounds on it the two bounded walks meet within a few rows: start a few rows up, go
    // further back only if they have not met by j0.
    int64_t s = 0, g_hint = 0, k_hint = 0;
    for (int64_t back = 4; j0 > 0; back *= 8) {
        int64_t r = std::max<int64_t>(0, j0 - back);
        int64_t low = 0, high = 0;
        g_hint = k_hint = 0;
        if (r > 0) {
            g_hint = d.g(r - 1, 0);
            k_hint = d.k(r - 1, 0);
            low = std::min(k_hint, g_hint + 1);
            high = k_hint;
        }
        for (int64_t j = r; j < j0; j++) {
            g_hint = d.g(j, g_hint);
            k_hint = d.k(j, k_hint);
            low = next_entry(low, g_hint, k_hint);
            high = next_entry(high, g_hint, k_hint);
        }
        if (low == high) {
            s = low;
            break;
        }
    }

    for (int64_t j = j0; j <= j1; j++) {
        g_hint = d.g(j, g_hint);
        k_hint = d.k(j, k_hint);
        QuarterRun &run = out[j - j0];
        if (s <= imax) {
            run.first = d.a() - s;
            run.last = d.a() - std::min(std::max(s, g_hint), imax);
        }
        s = next_entry(s, g_hint, k_hint);
    }
}

// The real ellipse through the centres of the box's outer pixels, for boxes beyond exact
// arithmetic. A row takes the columns nearest the curve: where the curve is steep, the one at
// the row's centre line; where it is flat, all those whose curve point rounds to the row, up to
// where the curve leaves it half a row towards the middle. Rows are joined 8-connectedly.
void geometric_runs(int64_t width, int64_t height, int64_t j0, int64_t j1, QuarterRun *out) {
    const long double rx = (width - 1) / 2.0L, ry = (height - 1) / 2.0L;
    const int64_t half = width / 2, rows = quarter_rows(height);
    auto curve_x = [&](long double y) { // the curve's x on the lower right at box row y
        long double dy = std::max(0.0L, y - ry) / ry;
        return rx + rx * std::sqrt(std::max(0.0L, 1.0L - dy * dy));
    };
    // curve_x is never negative, where converting to an integer rounds down as floor does (at a
    // small part of the cost of the C library's floorl).
    auto right_end = [&](int64_t j) {
        const long double y = height / 2 + j;
        auto at_centre = int64_t(curve_x(y) + 0.5L);
        auto entering = int64_t(curve_x(y - 0.5L));
        return std::clamp(std::max(at_centre, entering), half, width - 1);
    };
    int64_t first = right_end(j0);
    for (int64_t j = j0; j <= j1; j++) {
        QuarterRun &run = out[j - j0];
        run.first = first;
        if (j + 1 < rows) {
            int64_t next = right_end(j + 1);
            run.last = std::clamp(next + 1, half, run.first);
            first = next;
        } else {
            run.last = half;
        }
    }
}

} // namespace

int64_t quarter_rows(int64_t height) {
    return height - height / 2;
}

namespace {

// The whole quarters of small boxes traced lately. A picture draws the same sizes of ellipse
// again and again (a row of equal circles, one figure many times, frame after frame), and for
// a small box the walk costs more than the spans it gives. One entry per hash of the size.
constexpr int64_t MAX_CACHED_ROWS = 256;
constexpr size_t CACHE_ENTRIES = 128;

struct CachedQuarter {
    int64_t width = 0, height = 0; // 0: empty
    std::vector<QuarterRun> runs;  // quarter rows 0 ... quarter_rows(height) - 1
};

CachedQuarter &cache_entry(int64_t width, int64_t height) {
    static std::vector<CachedQuarter> cache(CACHE_ENTRIES);
    uint64_t hash = uint64_t(width) * 0x9E3779B97F4A7C15u ^ uint64_t(height) * 0xC2B2AE3D27D4EB4Fu;
    return cache[(hash >> 32) % CACHE_ENTRIES];
}

} // namespace

void quarter_runs(int64_t width, int64_t height, int64_t j0, int64_t j1, QuarterRun *out,
                  QuarterMethod method) {
    if (method == QuarterMethod::automatic && width <= 2 * MAX_CACHED_ROWS &&
        quarter_rows(height) <= MAX_CACHED_ROWS) {
        CachedQuarter &entry = cache_entry(width, height);
        if (entry.width != width || entry.height != height) {
            entry.runs.assign(size_t(quarter_rows(height)), NO_RUN);
            walk_runs(width, height, 0, quarter_rows(height) - 1, entry.runs.data());
            entry.width = width;
            entry.height = height;
        }
        std::copy(entry.runs.begin() + j0, entry.runs.begin() + j1 + 1, out);
        return;
    }
    for (int64_t j = j0; j <= j1; j++) out[j - j0] = NO_RUN;
    constexpr int64_t MAX_WALK = int64_t(1) << 16;
    if (method == QuarterMethod::automatic) {
        if (width > MAX_EXACT_ELLIPSE || height > MAX_EXACT_ELLIPSE) {
            method = QuarterMethod::geometric;
        } else {
            // The walk costs a step per column and row up to j1; a row costs a few searches.
            int64_t walk_steps = (width - width / 2) + j1 + 1;
            bool walk_small = width <= MAX_WALK && height <= MAX_WALK;
            method = walk_small && walk_steps <= 32 * (j1 - j0 + 1) + 256 ? QuarterMethod::walk
                                                                          : QuarterMethod::by_row;
        }
    }
    switch (method) {
    case QuarterMethod::walk: walk_runs(width, height, j0, j1, out); break;
    case QuarterMethod::by_row: by_row_runs(width, height, j0, j1, out); break;
    default: geometric_runs(width, height, j0, j1, out); break;
    }
}

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
