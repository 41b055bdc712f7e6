// The outline pixels of an ellipse box row by row, for the rows a caller can see.
#pragma once

#include "platform/gdi/raster/ellipse_quarter.h"
#include "platform/gdi/raster/scratch.h"

#include <algorithm>
#include <cstdint>

namespace raster {

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

} // namespace raster
