// What the rasterizer's shape files call in one another: rectangles for the shapes that fall
// back to them, one-pixel lines, polygon fills, wide pens, and the outlines of ellipse boxes.
#pragma once

#include "platform/gdi/raster/clip.h"

#include <cstddef>
#include <cstdint>

namespace raster {

// ---- Rectangles (rectangle.cpp) -----------------------------------------------------------------

// Rectangle with ordered corners (left <= right, top <= bottom), right and bottom excluded.
void rectangle_pixels(const Clip &c, int64_t left, int64_t top, int64_t right, int64_t bottom,
                      const Pen &pen, const Brush &brush);

// ---- Lines and wide pens (line.cpp) -------------------------------------------------------------

// The line from p0 to p1 by the grid-intersection rule: one pixel per step of the major axis,
// the minor coordinate rounded to nearest with exact halves going to the smaller coordinate,
// p0 drawn and p1 left out; nothing when p0 == p1. Clipping removes pixels, never moves them.
void thin_line(const Clip &c, Point64 p0, Point64 p1, uint32_t color);

// Pens wider than one pixel: segment bodies, and polylines of bodies and stamps.

// The body of the segment p1 -> p2 (p1 != p2) for a pen of width w >= 2; the same pixels in
// either direction. Horizontal and vertical bodies are w pixels thick, starting w/2 above (left
// of) the path, from the smaller end up to the pixel before the larger one. Diagonal bodies
// are the quadrilateral whose half widths are rounded, the larger half towards larger x.
void fill_body(const Clip &c, Point64 p1, Point64 p2, int64_t w, uint32_t color);

// A polyline with a wide pen: a body per segment and a stamp on every point; `closed` joins the
// last point to the first. Repeated points are dropped first; a single point is a stamp.
void wide_polyline(const Clip &c, const Point64 *points, size_t count, bool closed, int64_t w,
                   uint32_t color);

// The round stamp a wide pen leaves on every point it passes: end caps and joins.

// The stamp of a pen of width w >= 2 on p: the filled ellipse (row hull of the outline) of the
// w x w box whose top-left pixel is p - (w/2, w/2); for even w, p is the pixel right of and
// below the centre.
void fill_stamp(const Clip &c, Point64 p, int64_t w, uint32_t color);

// The spans of the stamps up to MAX_TABLE_STAMP wide, relative to the centre: row k
// (k = 0 ... w-1) lies at dy = k - w/2 and covers dx = left[k] ... right[k].
constexpr int MAX_TABLE_STAMP = 64;
struct StampRows {
    int width;
    const int16_t *left;
    const int16_t *right;
};
StampRows stamp_rows(int w);

// What a wide pen covers around one point of an ellipse outline: its stamp, and its body to the
// next point one step away. Outlines have hundreds of points, so these are computed once per
// width and step instead of scan-converting each stamp and tiny body.

constexpr int MAX_PATTERN_WIDTH = 64;
constexpr int MAX_PATTERN_REACH = MAX_PATTERN_WIDTH / 2 + 2;

// Row dy covers dx = left[i] ... right[i], i = dy + MAX_PATTERN_REACH, relative to the point;
// rows first_dy ... last_dy are covered (|dy| <= reach), no others. `row_convex` is false if
// some row's pixels are not one run (the extents then overstate it).
struct StepPattern {
    int first_dy, last_dy, reach;
    bool row_convex;
    int16_t left[2 * MAX_PATTERN_REACH + 1];
    int16_t right[2 * MAX_PATTERN_REACH + 1];
};

// The nine patterns of a pen of width w (2 ... MAX_PATTERN_WIDTH): the step (dx, dy), each of
// them -1, 0 or 1, at index (dx + 1) * 3 + dy + 1; (0, 0) is the stamp alone.
const StepPattern *step_patterns_of(int64_t w);

// The farthest row any of the nine patterns of width w covers, or -1 if one of them is not a
// single run on every row it covers.
int step_patterns_reach(int64_t w);

// ---- Polygons (polygon.cpp) ---------------------------------------------------------------------

// Scan conversion of polygons, shared by Polygon's brush and the bodies of wide pens.

// Fills the closed polygon through `points` with the ALTERNATE rule and the top-left rule: on
// row y, every non-horizontal edge whose half-open row range [top, bottom) holds y crosses it
// at ceil(exact x); the sorted crossings c0, c1, ... give the spans [c0, c1), [c2, c3), ...
void fill_polygon(const Clip &c, const Point64 *points, size_t count, uint32_t color);

// ---- Ellipses and rings (ellipse.cpp, ellipse_ring.cpp) -----------------------------------------

// The outline of an ellipse box, one quarter at a time.
//
// Ellipse(l, t, r, b) with W = r - l >= 3 and H = b - t >= 3 traces its lower-right quarter
// with Zingl's integer walk and mirrors it to the other three. In box coordinates (X from the
// left column, Y from the top row), with a = W - 1 and b = H - 1:
//
//     X = a, Y = H/2, sx = 4b^2(1 - a), sy = 4a^2(1 + b%2), e = sx + sy + a^2(b%2)
//     while X >= W/2:
//         record (X, Y); t = 2e
//         if t >= sx: X -= 1; sx += 8b^2; e += sx
//         if t <= sy: Y += 1; sy += 8a^2; e += sy
//
// Quarter row j is box row Y = H/2 + j, for j = 0 ... H - 1 - H/2. On each row it reaches, the
// walk records the columns `first` down to `last` (first >= last), consecutive points being
// 8-neighbours. Tall narrow boxes can end the walk before the bottom row; the rows it never
// reaches are empty.

struct QuarterRun {
    int64_t first; // the rightmost column (where the walk enters the row)
    int64_t last;  // the leftmost column (where it leaves)
    bool empty() const { return first < last; }
};
constexpr QuarterRun NO_RUN = {-1, 0};

enum class QuarterMethod {
    automatic, // the cheapest exact method for the box and rows, geometric beyond exact sizes
    walk,      // the walk itself, from the middle row down (boxes up to 2^16)
    by_row,    // each row's run computed from the walk's decision functions (up to 2^24)
    geometric, // the real ellipse through the outer pixel centres, rounded (any size)
};

// Boxes up to this size in both directions are traced exactly.
constexpr int64_t MAX_EXACT_ELLIPSE = int64_t(1) << 24;

int64_t quarter_rows(int64_t height);

// Runs of quarter rows j0 ... j1 (0 <= j0 <= j1 < quarter_rows(H)) into out[0 ... j1 - j0].
void quarter_runs(int64_t width, int64_t height, int64_t j0, int64_t j1, QuarterRun *out,
                  QuarterMethod method = QuarterMethod::automatic);

// The outline pixels of an ellipse box row by row, for the rows a caller can see.

// The outline of one row: two runs, mirror images of each other, which may overlap. The row's
// hull (the brush area of a filled ellipse) is left_first ... right_first.
struct OutlineRow {
    int64_t y;
    int64_t left_first, left_last;   // the left run, left_first <= left_last
    int64_t right_last, right_first; // the right run, right_last <= right_first
};

// Calls row(OutlineRow) for every row of the box (left, top, width x height, both at least 2)
// that lies in rows y_lo ... y_hi and that the outline reaches, top to bottom. The cost grows
// with the rows asked for, not with the size of the box.
template <typename RowFn>
void for_each_outline_row(int64_t left, int64_t top, int64_t width, int64_t height, int64_t y_lo,
                          int64_t y_hi, RowFn row) {
    int64_t first_y = std::max<int64_t>(0, y_lo - top);
    int64_t last_y = std::min<int64_t>(height - 1, y_hi - top);
    if (first_y > last_y) return;

    // Box row y shows quarter row j: rows below the middle directly, rows above mirrored.
    const int64_t middle = height / 2;
    auto quarter_row = [&](int64_t y) {
        return y >= middle ? y - middle : height - 1 - y - middle;
    };
    int64_t j_lo = first_y <= middle && middle <= last_y
                       ? 0
                       : std::min(quarter_row(first_y), quarter_row(last_y));
    int64_t j_hi = std::max(quarter_row(first_y), quarter_row(last_y));

    Scratch<QuarterRun, 512> runs(size_t(j_hi - j_lo + 1));
    quarter_runs(width, height, j_lo, j_hi, runs.data());
    for (int64_t y = first_y; y <= last_y; y++) {
        const QuarterRun &run = runs[size_t(quarter_row(y) - j_lo)];
        if (run.empty()) continue;
        row(OutlineRow{top + y, left + width - 1 - run.first, left + width - 1 - run.last,
                       left + run.last, left + run.first});
    }
}

// The outline of an ellipse drawn with a wide pen.

// The outline of the box (left, top, width x height, both at least 3) with a pen of width
// w >= 2: the closed polyline through the outline points in the walk's order, a body between
// neighbours and a stamp on every point. Only the points whose pixels can reach the clip are
// visited, each with the precomputed pixels of its stamp and its step to the next point.
enum class RingMethod {
    automatic,      // step patterns for the narrow pens that have them, else point by point,
                    // and the band between grown and shrunk ellipses where that costs too much
    point_by_point, // every point's stamp and body: the plain ring the patterns are checked
                    // against (the band still stands in for boxes beyond exact tracing)
};
void ellipse_ring(const Clip &c, int64_t left, int64_t top, int64_t width, int64_t height,
                  int64_t w, uint32_t color, RingMethod method = RingMethod::automatic);

} // namespace raster
