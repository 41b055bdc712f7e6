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
#pragma once

#include <cstdint>

namespace raster {

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

} // namespace raster
