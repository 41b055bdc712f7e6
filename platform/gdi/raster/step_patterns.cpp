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
    Clip c;
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
    int reach[MAX_PATTERN_WIDTH - 1];
    PatternTable() {
        for (int w = 2; w <= MAX_PATTERN_WIDTH; w++) {
            int &r = reach[w - 2];
            r = 0;
            for (int k = 0; k < 9; k++) {
                StepPattern &p = patterns[w - 2][k] = build(w, k / 3 - 1, k % 3 - 1);
                r = p.row_convex && r >= 0 ? std::max(r, p.reach) : -1;
            }
        }
    }
};

const PatternTable &pattern_table() {
    static const PatternTable table;
    return table;
}

} // namespace

const StepPattern *step_patterns_of(int64_t w) {
    return pattern_table().patterns[w - 2];
}

int step_patterns_reach(int64_t w) {
    return pattern_table().reach[w - 2];
}

} // namespace raster
