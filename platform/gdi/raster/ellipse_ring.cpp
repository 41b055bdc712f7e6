// Wide-pen ellipse outlines: the closed polyline through the outline points, a quarter at a
// time. On each row of a quarter all points but one step sideways, so a row is two runs of
// points sharing a step; with the precomputed step patterns each output row is the union of a
// few such runs on the rows within the pen's reach.
#include "platform/gdi/raster/shapes.h"

#include <utility>

namespace raster {

namespace {

// One quarter of the closed outline: the walk's quarter mirrored, and traversed forwards (in
// walk order) or backwards, so that the four quarters join into one loop:
// lower right (forwards), lower left (backwards), upper left (forwards), upper right (backwards).
struct Quarter {
    bool mirror_x, mirror_y, backwards;
};
constexpr Quarter QUARTERS[4] = {
    {false, false, false}, {true, false, true}, {true, true, false}, {false, true, true}};

// The points of one quarter on one box row, with the step to the next point of the loop: the
// points side_first ... side_last step sideways (side_dx, 0); end_x steps (end_dx, end_dy) off
// the row, or across to the neighbouring quarter, where the walk ends or starts.
struct QuarterRow {
    int64_t y;
    int64_t side_first, side_last, side_dx; // no points when side_first > side_last
    bool has_end;
    int64_t end_x, end_dx, end_dy;
};

// The smallest range of rows holding both [lo1, hi1] and [lo2, hi2], either of which may be
// empty (lo > hi); empty if both are.
std::pair<int64_t, int64_t> rows_holding(int64_t lo1, int64_t hi1, int64_t lo2, int64_t hi2) {
    if (lo1 > hi1) return {lo2, hi2};
    if (lo2 > hi2) return {lo1, hi1};
    return {std::min(lo1, lo2), std::max(hi1, hi2)};
}

// The walk's runs for the quarter rows a window needs, with an empty run on either side so that
// the rows before and after can be looked at freely.
class WindowRuns {
  public:
    WindowRuns(int64_t width, int64_t height, int64_t j_lo, int64_t j_hi)
        : lo_(std::max<int64_t>(0, j_lo - 1)), hi_(std::min(quarter_rows(height) - 1, j_hi + 1)),
          runs_(size_t(hi_ - lo_ + 3)) {
        runs_[0] = NO_RUN;
        runs_[size_t(hi_ - lo_ + 2)] = NO_RUN;
        quarter_runs(width, height, lo_, hi_, runs_.data() + 1);
    }
    // Quarter row j, for lo - 1 <= j <= hi + 1 (j_lo - 1 ... j_hi + 1 at least).
    const QuarterRun &operator[](int64_t j) { return runs_[size_t(j - lo_ + 1)]; }

  private:
    int64_t lo_, hi_;
    Scratch<QuarterRun, 512> runs_;
};

// Calls row(QuarterRow) for each row of quarter Q in the box-coordinate window [x_lo, x_hi] x
// [j_lo, j_hi] (quarter rows), in walk order; rows may have no points in the window.
template <Quarter Q, typename Row>
void for_each_row_of_quarter(int64_t width, int64_t height, WindowRuns &runs, int64_t x_lo,
                             int64_t x_hi, int64_t j_lo, int64_t j_hi, Row row) {
    const int64_t middle = height / 2, rows = quarter_rows(height);
    // Walk columns whose mirror image lies in the window.
    const int64_t walk_x_lo = Q.mirror_x ? width - 1 - x_hi : x_lo;
    const int64_t walk_x_hi = Q.mirror_x ? width - 1 - x_lo : x_hi;
    auto box_x = [&](int64_t x) { return Q.mirror_x ? width - 1 - x : x; };
    constexpr int64_t sign_x = Q.mirror_x ? -1 : 1, sign_y = Q.mirror_y ? -1 : 1;
    for (int64_t j = j_lo; j <= j_hi; j++) {
        const QuarterRun run = runs[j];
        if (run.empty()) break; // the walk ended above this row
        const int64_t from = std::max(run.last, walk_x_lo), to = std::min(run.first, walk_x_hi);
        // In walk coordinates: the side run, its step, and the point that steps off.
        int64_t side_from, side_to, side_dx, end_x, end_dx, end_dy;
        if constexpr (!Q.backwards) {
            // Forwards, in walk order: left along the row, then from its last point down to the
            // next row, or after the walk's last point across to its mirror image in x.
            side_from = std::max(from, run.last + 1);
            side_to = to;
            side_dx = -1;
            end_x = run.last;
            const QuarterRun &below = runs[j + 1];
            const bool walk_ends = j + 1 >= rows || below.empty();
            end_dx = walk_ends ? width - 1 - 2 * run.last : below.first - run.last;
            end_dy = walk_ends ? 0 : 1;
        } else {
            // Backwards: right along the row, then from its first point up to the row before,
            // or from the walk's first point across the middle to its mirror image in y.
            side_from = from;
            side_to = std::min(to, run.first - 1);
            side_dx = 1;
            end_x = run.first;
            end_dx = j > 0 ? runs[j - 1].last - run.first : 0;
            end_dy = j > 0 ? -1 : height - 1 - 2 * middle;
        }
        QuarterRow r;
        r.y = Q.mirror_y ? height - 1 - middle - j : middle + j;
        r.side_first = side_from <= side_to ? box_x(Q.mirror_x ? side_to : side_from) : 1;
        r.side_last = side_from <= side_to ? box_x(Q.mirror_x ? side_from : side_to) : 0;
        r.side_dx = sign_x * side_dx;
        r.has_end = end_x >= from && end_x <= to;
        r.end_x = box_x(end_x);
        r.end_dx = sign_x * end_dx;
        r.end_dy = sign_y * end_dy;
        row(r);
    }
}

// Calls row(QuarterRow) for the rows of every quarter in the box-coordinate window
// [x_lo, x_hi] x [y_lo, y_hi].
template <typename Row>
void for_each_quarter_row(int64_t width, int64_t height, int64_t x_lo, int64_t x_hi, int64_t y_lo,
                          int64_t y_hi, Row row) {
    const int64_t rows = quarter_rows(height), middle = height / 2;
    // Quarter rows seen by the lower quarters (box row middle + j) and the upper ones (mirrored).
    const int64_t lower_lo = std::max<int64_t>(0, y_lo - middle);
    const int64_t lower_hi = std::min(rows - 1, y_hi - middle);
    const int64_t upper_lo = std::max<int64_t>(0, height - 1 - middle - y_hi);
    const int64_t upper_hi = std::min(rows - 1, height - 1 - middle - y_lo);
    const auto [need_lo, need_hi] = rows_holding(lower_lo, lower_hi, upper_lo, upper_hi);
    if (need_lo > need_hi) return;
    WindowRuns runs(width, height, need_lo, need_hi);
    for_each_row_of_quarter<QUARTERS[0]>(width, height, runs, x_lo, x_hi, lower_lo, lower_hi, row);
    for_each_row_of_quarter<QUARTERS[1]>(width, height, runs, x_lo, x_hi, lower_lo, lower_hi, row);
    for_each_row_of_quarter<QUARTERS[2]>(width, height, runs, x_lo, x_hi, upper_lo, upper_hi, row);
    for_each_row_of_quarter<QUARTERS[3]>(width, height, runs, x_lo, x_hi, upper_lo, upper_hi, row);
}

// The four quarters are computed side by side, one per lane of a vector, in the order of
// QUARTERS: all four read the same walk rows, only their patterns and mirroring differ. Walk
// coordinates fit in 32 bits for every box traced exactly.
typedef int32_t Lanes __attribute__((vector_size(16)));

// Offsets that never win a min or max: rows a pattern does not cover, rows with no points.
constexpr int32_t FAR = int32_t(1) << 29;

// The pattern of walk step (walk_dx, walk_dy) for each quarter, seen from the quarter's walk
// coordinates: row d of the walk covers x + left[d] ... x + right[d] (d = -reach ... reach,
// stored at d + MAX_PATTERN_REACH).
struct LanePattern {
    Lanes left[2 * MAX_PATTERN_REACH + 1];
    Lanes right[2 * MAX_PATTERN_REACH + 1];
};

// Fills lane q of `out` with the pattern of the walk step (walk_dx, walk_dy) for quarter q.
void set_lane(LanePattern &out, int q, const StepPattern *patterns, int reach, int64_t walk_dx,
              int64_t walk_dy) {
    const Quarter &quarter = QUARTERS[q];
    const int64_t dx = quarter.mirror_x ? -walk_dx : walk_dx;
    const int64_t dy = quarter.mirror_y ? -walk_dy : walk_dy;
    const StepPattern &p = patterns[(dx + 1) * 3 + dy + 1];
    for (int d = -reach; d <= reach; d++) {
        const size_t at = size_t(d + MAX_PATTERN_REACH);
        const size_t row = size_t((quarter.mirror_y ? -d : d) + MAX_PATTERN_REACH);
        const bool covered = p.left[row] <= p.right[row];
        out.left[at][q] = !covered ? FAR : quarter.mirror_x ? -p.right[row] : p.left[row];
        out.right[at][q] = !covered ? -FAR : quarter.mirror_x ? -p.left[row] : p.right[row];
    }
}

inline Lanes min_lanes(Lanes a, Lanes b) {
    return a < b ? a : b;
}
inline Lanes max_lanes(Lanes a, Lanes b) {
    return a > b ? a : b;
}

// The ring from step patterns. On walk row j, the points of a forwards quarter are first ...
// last: all but the last step left along the row and share a pattern, stretched along them;
// the last steps straight or diagonally down, or across to the next quarter where the walk
// ends. A backwards quarter has the same points, all but the first stepping right; the first
// steps up, or across the middle where the walk starts. Within a quarter the patterns of
// consecutive points overlap or touch on every row (every stamp row holds its centre column,
// and consecutive points are at most a column apart), so an output row of a quarter is the
// single span between the extremes that the input rows within the pen's reach put on it. In
// four phases: the rows to look at, the patterns in lanes, the walk's rows in lanes, the spans.

// The rows of the ring the clip can see: output rows out_lo ... out_hi (quarter rows, which a
// pen reaches up to `reach` beyond the walk's own) and the walk rows in_lo ... in_hi whose
// points reach them. Nothing to draw when in_lo > in_hi.
struct RingWindow {
    int64_t out_lo, out_hi, in_lo, in_hi;
};

RingWindow ring_window(const Clip &c, int64_t top, int64_t height, int reach) {
    const int64_t middle = height / 2, rows = quarter_rows(height);
    // Box rows in the clip, as walk rows of the lower quarters and of the upper ones, limited to
    // those the pen can reach from the walk's rows.
    const int64_t clip_lo = c.top - top, clip_hi = c.bottom - 1 - top;
    auto reachable = [&](int64_t lo, int64_t hi) {
        return std::pair<int64_t, int64_t>{std::max<int64_t>(lo, -reach),
                                           std::min<int64_t>(hi, rows - 1 + reach)};
    };
    const auto [lower_lo, lower_hi] = reachable(clip_lo - middle, clip_hi - middle);
    const auto [upper_lo, upper_hi] =
        reachable(height - 1 - middle - clip_hi, height - 1 - middle - clip_lo);
    const auto [out_lo, out_hi] = rows_holding(lower_lo, lower_hi, upper_lo, upper_hi);
    return RingWindow{out_lo, out_hi, std::max<int64_t>(0, out_lo - reach),
                      std::min(rows - 1, out_hi + reach)};
}

// How a walk row's end point steps: straight or diagonally to the neighbouring row, or across
// (forwards: to the mirror image in x of the walk's last point; backwards: in y of its first).
enum EndStep { STRAIGHT, DIAGONAL, ACROSS };

// The patterns every walk row uses, in lanes: the step along a row, the end steps by the kinds
// of the forwards quarters (lanes 0 and 2) and the backwards ones, and none for empty rows.
struct RingPatterns {
    LanePattern side;
    LanePattern ends[3][3]; // [forwards kind][backwards kind]
    LanePattern nothing;
};

void make_ring_patterns(RingPatterns &out, int64_t width, int64_t height,
                        const StepPattern *patterns, int reach) {
    const int64_t across_x = std::clamp<int64_t>(width - 1 - 2 * (width / 2), -1, 1);
    const int64_t across_y = std::clamp<int64_t>(height - 1 - 2 * (height / 2), -1, 1);
    LanePattern by_kind[3];
    for (int q = 0; q < 4; q++) {
        const bool back = QUARTERS[q].backwards;
        const int64_t along = back ? 1 : -1, off = back ? -1 : 1;
        set_lane(out.side, q, patterns, reach, along, 0);
        set_lane(by_kind[STRAIGHT], q, patterns, reach, 0, off);
        set_lane(by_kind[DIAGONAL], q, patterns, reach, along, off);
        set_lane(by_kind[ACROSS], q, patterns, reach, back ? 0 : across_x, back ? across_y : 0);
    }
    for (int f = 0; f < 3; f++)
        for (int b = 0; b < 3; b++)
            for (int d = -reach; d <= reach; d++) {
                const size_t i = size_t(d + MAX_PATTERN_REACH);
                const Lanes &fl = by_kind[f].left[i], &bl = by_kind[b].left[i];
                const Lanes &fr = by_kind[f].right[i], &br = by_kind[b].right[i];
                out.ends[f][b].left[i] = Lanes{fl[0], bl[1], fl[2], bl[3]};
                out.ends[f][b].right[i] = Lanes{fr[0], br[1], fr[2], br[3]};
            }
    for (int d = -reach; d <= reach; d++) {
        out.nothing.left[d + MAX_PATTERN_REACH] = Lanes{FAR, FAR, FAR, FAR};
        out.nothing.right[d + MAX_PATTERN_REACH] = Lanes{-FAR, -FAR, -FAR, -FAR};
    }
}

// The window's walk rows in lanes: row j at k = j - in_lo + 2 reach, with 2 reach empty rows
// on either side, so that every output row (up to `reach` beyond them) reads 2 reach + 1 rows
// without bounds checks. Per row: the side points' first and last columns, the end point's
// column, and the patterns of its end step.
struct RingRows {
    explicit RingRows(size_t count)
        : side_first{count}, side_last{count}, end_x{count}, end_of{count} {}
    Scratch<Lanes, 256> side_first, side_last, end_x;
    Scratch<const LanePattern *, 256> end_of;
    int64_t last = 0; // the last walk row the walk reaches
};

void load_ring_rows(RingRows &out, WindowRuns &runs, const RingWindow &window,
                    const RingPatterns &lanes, int64_t rows, int reach) {
    auto empty_rows = [&](size_t from, size_t to) {
        for (size_t k = from; k < to; k++) {
            out.side_first[k] = Lanes{FAR, FAR, FAR, FAR};
            out.side_last[k] = Lanes{-FAR, -FAR, -FAR, -FAR};
            out.end_x[k] = Lanes{0, 0, 0, 0};
            out.end_of[k] = &lanes.nothing;
        }
    };
    empty_rows(0, size_t(2 * reach));
    out.last = window.in_lo - 1;
    for (int64_t j = window.in_lo; j <= window.in_hi; j++) {
        const QuarterRun &run = runs[j];
        if (run.empty()) break;
        const size_t k = size_t(j - window.in_lo + 2 * reach);
        const int32_t first = int32_t(run.first), last = int32_t(run.last);
        const bool side = first > last;
        out.side_first[k] =
            side ? Lanes{last + 1, last, last + 1, last} : Lanes{FAR, FAR, FAR, FAR};
        out.side_last[k] =
            side ? Lanes{first, first - 1, first, first - 1} : Lanes{-FAR, -FAR, -FAR, -FAR};
        out.end_x[k] = Lanes{last, first, last, first};
        const QuarterRun &below = runs[j + 1];
        const int forwards = j + 1 >= rows || below.empty() ? ACROSS
                             : below.first == run.last      ? STRAIGHT
                                                            : DIAGONAL;
        const int backwards = j == 0 ? ACROSS : runs[j - 1].last == run.first ? STRAIGHT : DIAGONAL;
        out.end_of[k] = &lanes.ends[forwards][backwards];
        out.last = j;
    }
    empty_rows(size_t(out.last - window.in_lo + 1 + 2 * reach),
               size_t(window.in_hi - window.in_lo + 1 + 4 * reach));
}

// Each output row of the window: per quarter, the span between the extremes that the walk rows
// within reach put on it. REACH, when not 0, is the pen's reach known at compile time (the
// narrowest pens), so that the loop over the rows within reach unrolls.
template <int REACH>
void draw_ring_rows(const Clip &c, int64_t left, int64_t top, int64_t width, int64_t height,
                    const RingWindow &window, const RingRows &rows, const RingPatterns &lanes,
                    int any_reach, uint32_t color) {
    const int reach = REACH > 0 ? REACH : any_reach;
    const int64_t middle = height / 2;
    const int64_t from = std::max(window.out_lo, window.in_lo - reach);
    const int64_t to = std::min(window.out_hi, rows.last + reach);
    for (int64_t o = from; o <= to; o++) {
        Lanes span_left = {FAR, FAR, FAR, FAR}, span_right = {-FAR, -FAR, -FAR, -FAR};
        // Input row j = o - d sits at k = o - in_lo + 2 reach - d; pattern row d.
        const int64_t base = o - window.in_lo + 2 * reach;
        for (int d = -reach; d <= reach; d++) {
            const size_t k = size_t(base - d), i = size_t(d + MAX_PATTERN_REACH);
            const LanePattern &end = *rows.end_of[k];
            span_left = min_lanes(span_left, min_lanes(rows.side_first[k] + lanes.side.left[i],
                                                       rows.end_x[k] + end.left[i]));
            span_right = max_lanes(span_right, max_lanes(rows.side_last[k] + lanes.side.right[i],
                                                         rows.end_x[k] + end.right[i]));
        }
        for (int q = 0; q < 4; q++) {
            if (span_left[q] > span_right[q]) continue;
            const Quarter &quarter = QUARTERS[q];
            const int64_t y = quarter.mirror_y ? height - 1 - middle - o : middle + o;
            const int64_t x0 = quarter.mirror_x ? width - 1 - span_right[q] : span_left[q];
            const int64_t x1 = quarter.mirror_x ? width - 1 - span_left[q] : span_right[q];
            fill_span(c, top + y, left + x0, left + x1, color);
        }
    }
}

template <int REACH>
void pattern_ring(const Clip &c, int64_t left, int64_t top, int64_t width, int64_t height,
                  const StepPattern *patterns, int reach, uint32_t color) {
    const RingWindow window = ring_window(c, top, height, reach);
    if (window.in_lo > window.in_hi) return;
    WindowRuns runs(width, height, window.in_lo, window.in_hi);
    RingPatterns lanes;
    make_ring_patterns(lanes, width, height, patterns, reach);
    RingRows rows(size_t(window.in_hi - window.in_lo + 1 + 4 * reach));
    load_ring_rows(rows, runs, window, lanes, quarter_rows(height), reach);
    draw_ring_rows<REACH>(c, left, top, width, height, window, rows, lanes, reach, color);
}

// Each point's stamp and its body to the next point, drawn one by one: for pens too wide for
// the patterns, or whose patterns are not one run on every row (widths 6 and 12); and the plain
// ring the patterns are checked against (RingMethod::point_by_point).
void point_by_point_ring(const Clip &c, int64_t left, int64_t top, int64_t w, uint32_t color,
                         int64_t width, int64_t height, int64_t x_lo, int64_t x_hi, int64_t y_lo,
                         int64_t y_hi) {
    auto point = [&](int64_t x, int64_t y, int64_t dx, int64_t dy) {
        const Point64 at{left + x, top + y};
        fill_stamp(c, at, w, color);
        if (dx != 0 || dy != 0) fill_body(c, at, Point64{at.x + dx, at.y + dy}, w, color);
    };
    for_each_quarter_row(width, height, x_lo, x_hi, y_lo, y_hi, [&](const QuarterRow &r) {
        for (int64_t x = r.side_first; x <= r.side_last; x++) point(x, r.y, r.side_dx, 0);
        if (r.has_end) point(r.end_x, r.y, r.end_dx, r.end_dy);
    });
}

// Rings too large for exact arithmetic, or with pens so wide that the exact ring would cost too
// much: the band between the ellipses of the box grown and shrunk by the pen, as a rectangle's
// wide outline grows and shrinks. Not the stroke itself, but close to it, and its cost is
// bounded by the rows in the clip.
void geometric_ring(const Clip &c, int64_t left, int64_t top, int64_t width, int64_t height,
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

void ellipse_ring(const Clip &c, int64_t left, int64_t top, int64_t width, int64_t height,
                  int64_t w, uint32_t color, RingMethod method) {
    // Points farther than this from the clip cannot reach it with their stamp or body.
    const int64_t margin = w + 2;
    const int64_t x_lo = c.left - margin - left, x_hi = c.right - 1 + margin - left;
    const int64_t y_lo = c.top - margin - top, y_hi = c.bottom - 1 + margin - top;
    if (x_lo > width - 1 || x_hi < 0 || y_lo > height - 1 || y_hi < 0) return;
    if (width > MAX_EXACT_ELLIPSE || height > MAX_EXACT_ELLIPSE) {
        geometric_ring(c, left, top, width, height, w, color);
        return;
    }
    // Narrow pens: patterns, a cost per row of the clip.
    if (method == RingMethod::point_by_point) {
        point_by_point_ring(c, left, top, w, color, width, height, x_lo, x_hi, y_lo, y_hi);
        return;
    }
    const int reach = w <= MAX_PATTERN_WIDTH ? step_patterns_reach(w) : -1;
    if (reach >= 0) {
        const StepPattern *patterns = step_patterns_of(w);
        if (reach == 1) // pens 2 wide
            pattern_ring<1>(c, left, top, width, height, patterns, reach, color);
        else if (reach == 2) // pens 3 to 5 wide
            pattern_ring<2>(c, left, top, width, height, patterns, reach, color);
        else
            pattern_ring<0>(c, left, top, width, height, patterns, reach, color);
        return;
    }
    // Wider pens paint each point's stamp: at most one point per window row and column in each
    // quarter, each painting up to the part of a w x w square the clip shows. Where that would
    // be too much, the band between grown and shrunk ellipses stands in for the stroke.
    const int64_t window_points = 4 * (std::min(x_hi, width - 1) - std::max<int64_t>(0, x_lo) +
                                       std::min(y_hi, height - 1) - std::max<int64_t>(0, y_lo) + 2);
    const int64_t stamp_pixels =
        std::min(w + 2, c.bottom - c.top) * std::min(w + 2, c.right - c.left);
    constexpr int64_t MAX_PIXEL_WRITES = int64_t(1) << 25;
    if (window_points > MAX_PIXEL_WRITES / stamp_pixels)
        geometric_ring(c, left, top, width, height, w, color);
    else
        point_by_point_ring(c, left, top, w, color, width, height, x_lo, x_hi, y_lo, y_hi);
}

} // namespace raster
