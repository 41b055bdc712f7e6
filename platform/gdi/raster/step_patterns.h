// What a wide pen covers around one point of an ellipse outline: its stamp, and its body to the
// next point one step away. Outlines have hundreds of points, so these are computed once per
// width and step instead of scan-converting each stamp and tiny body.
#pragma once

#include <cstdint>

namespace raster {

constexpr int MAX_PATTERN_WIDTH = 16;
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

} // namespace raster
