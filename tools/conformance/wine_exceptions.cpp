#include "tools/conformance/wine_exceptions.h"

// Wine's ellipse outline: a quarter traced from the middle of the right edge downwards, one
// pixel per step, stopping when the column passes the middle (gdi-rules.md 5.2 and 5.4).
bool ellipse_walk_reaches_last_row(int64_t width, int64_t height) {
    const int64_t a = width - 1, b = height - 1;
    int64_t x = a, y = height / 2;
    int64_t sx = 4 * b * b * (1 - a);
    int64_t sy = 4 * a * a * (1 + b % 2);
    int64_t e = sx + sy + a * a * (b % 2);
    int64_t last_y = y;
    while (x >= width / 2) {
        last_y = y;
        int64_t t = 2 * e;
        if (t >= sx) {
            x--;
            sx += 8 * b * b;
            e += sx;
        }
        if (t <= sy) {
            y++;
            sy += 8 * a * a;
            e += sy;
        }
    }
    return last_y >= height - 1;
}

// The device box the renderer hands to Ellipse: origin-relative, far edges one further.
static int64_t device_extent(int64_t from, int64_t to) {
    return from <= to ? to - from : from - to;
}

const char *wine_exception(const DrawRecord &record) {
    // The other documented difference, Wine's ellipses with a null pen, cannot arise: the
    // renderer draws every ellipse with a solid pen of the record's width.
    if (record.shape != SHAPE_OVAL) return nullptr;
    int64_t left = int64_t(origin_x) + record.x1, right = int64_t(origin_x) + record.x2 + 1;
    int64_t top = int64_t(origin_y) - record.y1, bottom = int64_t(origin_y) - record.y2 + 1;
    int64_t width = device_extent(left, right), height = device_extent(top, bottom);
    // Boxes two pixels thin or less are drawn as rectangles; the walk of very large boxes (far
    // beyond any in the corpus) is not simulated.
    if (width <= 2 || height <= 2 || width > 100000 || height > 100000) return nullptr;
    if (height <= width) return nullptr;
    if (!ellipse_walk_reaches_last_row(width, height))
        return "tall narrow ellipse: Wine's outline walk ends before the box's last row and "
               "leaves the rows it missed unfilled or filled with garbage (gdi-rules.md 5.4)";
    return nullptr;
}
