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

// The pattern of a pen of width w (2 ... MAX_PATTERN_WIDTH) for the step (dx, dy), each of
// them -1, 0 or 1; (0, 0) is the stamp alone.
const StepPattern &step_pattern(int64_t w, int64_t dx, int64_t dy);

// The nine patterns of width w, the step (dx, dy) at index (dx + 1) * 3 + dy + 1.
const StepPattern *step_patterns_of(int64_t w);

} // namespace raster
