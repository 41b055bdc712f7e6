// Step patterns, found by drawing each stamp and body into a small bitmap.
#include "platform/gdi/raster/step_patterns.h"
#include "platform/gdi/raster/stamp.h"
#include "platform/gdi/raster/wide_pen.h"

#include <vector>

namespace raster {

namespace {

constexpr int SIDE = 2 * MAX_PATTERN_REACH + 1;

StepPattern build(int w, int dx, int dy) {
    std::vector<uint32_t> bitmap(size_t(SIDE * SIDE), 0);
    Canvas c;
    c.pixels = bitmap.data();
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

struct PatternTable {
    StepPattern patterns[MAX_PATTERN_WIDTH - 1][9];
    PatternTable() {
        for (int w = 2; w <= MAX_PATTERN_WIDTH; w++)
            for (int dx = -1; dx <= 1; dx++)
                for (int dy = -1; dy <= 1; dy++)
                    patterns[w - 2][(dx + 1) * 3 + dy + 1] = build(w, dx, dy);
    }
};

} // namespace

const StepPattern *step_patterns_of(int64_t w) {
    static const PatternTable table;
    return table.patterns[w - 2];
}

const StepPattern &step_pattern(int64_t w, int64_t dx, int64_t dy) {
    return step_patterns_of(w)[(dx + 1) * 3 + dy + 1];
}

} // namespace raster
