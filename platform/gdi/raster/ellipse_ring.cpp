// Wide-pen ellipse outlines: hundreds of points, each a stamp plus a one-pixel step, so each
// point paints a precomputed pattern instead of scan-converting its own small shapes.
#include "platform/gdi/raster/ellipse_ring.h"
#include "platform/gdi/raster/ellipse_rows.h"
#include "platform/gdi/raster/stamp.h"
#include "platform/gdi/raster/wide_pen.h"

#include <vector>

namespace raster {

namespace {

// Pens up to this width paint patterns; wider ones draw each stamp and body.
constexpr int MAX_PATTERN_WIDTH = 16;

struct PatternSpan {
    int16_t dy, dx0, dx1;
};

// For every width and step (dx, dy in -1 ... 1) the spans of the stamp on (0, 0) together with
// the body from (0, 0) to (dx, dy), found by drawing both into a small bitmap.
class StepPatterns {
  public:
    StepPatterns() {
        for (int w = 2; w <= MAX_PATTERN_WIDTH; w++)
            for (int dx = -1; dx <= 1; dx++)
                for (int dy = -1; dy <= 1; dy++) build(w, dx, dy);
    }

    struct Pattern {
        const PatternSpan *spans;
        size_t count;
    };
    Pattern get(int64_t w, int64_t dx, int64_t dy) const {
        const Range &r = ranges_[index(int(w), int(dx), int(dy))];
        return Pattern{spans_.data() + r.first, r.count};
    }

  private:
    struct Range {
        size_t first = 0, count = 0;
    };
    static size_t index(int w, int dx, int dy) {
        return size_t((w - 2) * 9 + (dx + 1) * 3 + dy + 1);
    }

    void build(int w, int dx, int dy) {
        const int size = 2 * w + 5, origin = w + 2;
        std::vector<uint32_t> bitmap(size_t(size * size), 0);
        Canvas c;
        c.pixels = bitmap.data();
        c.stride = size;
        c.right = c.bottom = size;
        const Point64 centre{origin, origin};
        fill_stamp(c, centre, w, 1);
        if (dx != 0 || dy != 0) fill_body(c, centre, Point64{origin + dx, origin + dy}, w, 1);

        Range &r = ranges_[index(w, dx, dy)];
        r.first = spans_.size();
        for (int y = 0; y < size; y++) {
            const uint32_t *row = bitmap.data() + size_t(y * size);
            for (int x = 0; x < size; x++) {
                if (!row[x]) continue;
                int end = x;
                while (end + 1 < size && row[end + 1]) end++;
                spans_.push_back({int16_t(y - origin), int16_t(x - origin), int16_t(end - origin)});
                x = end;
            }
        }
        r.count = spans_.size() - r.first;
    }

    std::vector<PatternSpan> spans_;
    Range ranges_[(MAX_PATTERN_WIDTH - 1) * 9];
};

const StepPatterns &step_patterns() {
    static const StepPatterns patterns;
    return patterns;
}

// One quarter of the closed outline: the walk's quarter mirrored, and traversed forwards (in
// walk order) or backwards, so that the four quarters join into one loop:
// lower right (forwards), lower left (backwards), upper left (forwards), upper right (backwards).
struct Quarter {
    bool mirror_x, mirror_y, backwards;
};
constexpr Quarter QUARTERS[4] = {
    {false, false, false}, {true, false, true}, {true, true, false}, {false, true, true}};

// Calls visit(point, dx, dy) for every outline point in the box-coordinate window
// [x_lo, x_hi] x [y_lo, y_hi], with the step to the next point of the loop (0, 0 where the
// next point is the same pixel).
template <typename Visit>
void visit_outline(int64_t width, int64_t height, int64_t x_lo, int64_t x_hi, int64_t y_lo,
                   int64_t y_hi, Visit visit) {
    const int64_t rows = quarter_rows(height), middle = height / 2;
    // Quarter rows seen by the lower quarters (box row middle + j) and the upper ones (mirrored).
    const int64_t lower_lo = std::max<int64_t>(0, y_lo - middle);
    const int64_t lower_hi = std::min(rows - 1, y_hi - middle);
    const int64_t upper_lo = std::max<int64_t>(0, height - 1 - middle - y_hi);
    const int64_t upper_hi = std::min(rows - 1, height - 1 - middle - y_lo);
    int64_t need_lo = std::min(lower_lo, upper_lo), need_hi = std::max(lower_hi, upper_hi);
    if (need_lo > need_hi) return;
    // One more row on each side, for the steps into and out of a row.
    const int64_t run_lo = std::max<int64_t>(0, need_lo - 1);
    const int64_t run_hi = std::min(rows - 1, need_hi + 1);
    Scratch<QuarterRun, 512> runs(size_t(run_hi - run_lo + 1));
    quarter_runs(width, height, run_lo, run_hi, runs.data());
    auto run_of = [&](int64_t j) {
        return j >= run_lo && j <= run_hi ? runs[size_t(j - run_lo)] : NO_RUN;
    };

    for (const Quarter &q : QUARTERS) {
        const int64_t j_lo = q.mirror_y ? upper_lo : lower_lo;
        const int64_t j_hi = q.mirror_y ? upper_hi : lower_hi;
        // Walk columns X whose mirrored column lies in the window.
        const int64_t walk_x_lo = q.mirror_x ? width - 1 - x_hi : x_lo;
        const int64_t walk_x_hi = q.mirror_x ? width - 1 - x_lo : x_hi;
        for (int64_t j = j_lo; j <= j_hi; j++) {
            const QuarterRun run = run_of(j);
            if (run.empty()) break; // the walk ended above this row
            const QuarterRun above = j > 0 ? run_of(j - 1) : NO_RUN;
            const QuarterRun below = j + 1 < rows ? run_of(j + 1) : NO_RUN;
            const int64_t y = middle + j;
            const int64_t from = std::max(run.last, walk_x_lo), to = std::min(run.first, walk_x_hi);
            for (int64_t x = from; x <= to; x++) {
                // The walk step out of (x, y) and into it; `has_*` is false at the walk's ends.
                int64_t out_x = -1, out_y = 0, in_x = -1, in_y = 0;
                bool has_out = true, has_in = true;
                if (x == run.last) {
                    has_out = !below.empty();
                    out_x = below.first - x;
                    out_y = 1;
                }
                if (x == run.first) {
                    has_in = j > 0;
                    in_x = x - above.last;
                    in_y = 1;
                }
                // The step in walk coordinates, then mirrored with the quarter.
                int64_t dx, dy;
                if (!q.backwards) {
                    // Forwards: the walk's own step; after its last point, across to that point's
                    // mirror image in x (the same pixel when W is odd).
                    if (has_out)
                        dx = out_x, dy = out_y;
                    else
                        dx = width - 1 - 2 * x, dy = 0;
                } else {
                    // Backwards: against the step that led here; from the walk's first point,
                    // across the middle to its mirror image in y (the same pixel when H is odd).
                    if (has_in)
                        dx = -in_x, dy = -in_y;
                    else
                        dx = 0, dy = height - 1 - 2 * middle;
                }
                if (q.mirror_x) dx = -dx;
                if (q.mirror_y) dy = -dy;
                visit(Point64{q.mirror_x ? width - 1 - x : x, q.mirror_y ? height - 1 - y : y}, dx,
                      dy);
            }
        }
    }
}

// Huge rings with huge pens: the band between the ellipses of the box grown and shrunk by the
// pen, as a rectangle's wide outline grows and shrinks. Not the stroke itself, but close to
// it, and bounded by the rows in the clip.
void geometric_ring(const Canvas &c, int64_t left, int64_t top, int64_t width, int64_t height,
                    int64_t w, uint32_t color) {
    const int64_t rows = c.bottom - c.top;
    Scratch<int64_t, 64> inner_left{size_t(rows)}, inner_right{size_t(rows)};
    for (int64_t k = 0; k < rows; k++) inner_left[size_t(k)] = 1, inner_right[size_t(k)] = 0;
    const int64_t inner_w = width - 1 - w, inner_h = height - 1 - w;
    if (inner_w >= 2 && inner_h >= 2)
        for_each_outline_row(left - w / 2 + w, top - w / 2 + w, inner_w, inner_h, c.top,
                             c.bottom - 1, [&](const OutlineRow &r) {
                                 inner_left[size_t(r.y - c.top)] = r.left_first;
                                 inner_right[size_t(r.y - c.top)] = r.right_first;
                             });
    for_each_outline_row(left - w / 2, top - w / 2, width + w - 1, height + w - 1, c.top,
                         c.bottom - 1, [&](const OutlineRow &r) {
                             int64_t il = inner_left[size_t(r.y - c.top)];
                             int64_t ir = inner_right[size_t(r.y - c.top)];
                             if (il > ir) {
                                 fill_span(c, r.y, r.left_first, r.right_first, color);
                             } else {
                                 fill_span(c, r.y, r.left_first, il - 1, color);
                                 fill_span(c, r.y, ir + 1, r.right_first, color);
                             }
                         });
}

} // namespace

void ellipse_ring(const Canvas &c, int64_t left, int64_t top, int64_t width, int64_t height,
                  int64_t w, uint32_t color) {
    // Points farther than this from the clip cannot reach it with their stamp or body.
    const int64_t margin = w + 2;
    const int64_t x_lo = c.left - margin - left, x_hi = c.right - 1 + margin - left;
    const int64_t y_lo = c.top - margin - top, y_hi = c.bottom - 1 + margin - top;
    if (x_lo > width - 1 || x_hi < 0 || y_lo > height - 1 || y_hi < 0) return;

    // Each quarter is monotone, so at most one point per window row and column; each point
    // costs a span per row of its stamp that the clip shows.
    const int64_t window_points = 4 * (std::min(x_hi, width - 1) - std::max<int64_t>(0, x_lo) +
                                       std::min(y_hi, height - 1) - std::max<int64_t>(0, y_lo) + 2);
    const int64_t spans_per_point = std::min(w + 2, c.bottom - c.top + 2);
    constexpr int64_t MAX_SPANS = int64_t(1) << 25;
    if (width > MAX_EXACT_ELLIPSE || height > MAX_EXACT_ELLIPSE ||
        window_points > MAX_SPANS / spans_per_point) {
        geometric_ring(c, left, top, width, height, w, color);
        return;
    }

    if (w <= MAX_PATTERN_WIDTH) {
        const StepPatterns &patterns = step_patterns();
        visit_outline(width, height, x_lo, x_hi, y_lo, y_hi,
                      [&](Point64 p, int64_t dx, int64_t dy) {
                          const StepPatterns::Pattern pattern = patterns.get(w, dx, dy);
                          const int64_t x = left + p.x, y = top + p.y;
                          for (size_t k = 0; k < pattern.count; k++) {
                              const PatternSpan &s = pattern.spans[k];
                              fill_span(c, y + s.dy, x + s.dx0, x + s.dx1, color);
                          }
                      });
        return;
    }
    visit_outline(width, height, x_lo, x_hi, y_lo, y_hi, [&](Point64 p, int64_t dx, int64_t dy) {
        const Point64 at{left + p.x, top + p.y};
        fill_stamp(c, at, w, color);
        if (dx != 0 || dy != 0) fill_body(c, at, Point64{at.x + dx, at.y + dy}, w, color);
    });
}

} // namespace raster
