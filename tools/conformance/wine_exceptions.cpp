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

// Liberation Sans's gasp table: grey up to 8 pixels per em, one bit from 9 to 17, grey again
// from 18 (tests/conformance checks these against the font file).
enum { GREY_UP_TO_EM = 8, GREY_FROM_EM = 18 };

int text_em(const DrawRecord &record) {
    return record.x2 == 0 ? 14 : record.x2;
}

bool wine_draws_text_grey(const DrawRecord &record) {
    if (record.shape != SHAPE_TEXT) return false;
    int em = text_em(record);
    return em <= GREY_UP_TO_EM || em >= GREY_FROM_EM;
}

TextComparison text_comparison(const DrawRecord &record) {
    if (!wine_draws_text_grey(record)) return TEXT_SAME_PIXELS;
    return text_em(record) <= 1 ? TEXT_UNJUDGED : TEXT_BOXES;
}

const char *text_rule(TextComparison comparison) {
    switch (comparison) {
    case TEXT_SAME_PIXELS:
        return "ems 9 to 17 (and 14, point size 0): Wine and the stand-in both "
               "draw one bit, and every pixel must be the same";
    case TEXT_BOXES:
        return "other ems: Wine draws grey, as Liberation Sans's gasp table asks, the stand-in one "
               "bit. The stand-in's box must cover the box of Wine's pixels that are at least "
               "half covered (nearer the text colour than the background; leaving out the "
               "canvas's outermost rows and columns, as their one-bit counterparts may fall just "
               "beyond it) less a pixel each side, and lie within the box of all of Wine's pixels "
               "plus two: glyphs hinted for one bit can reach two pixels further than the same "
               "glyphs hinted for grey (the arms of a Y-diaeresis at 20 pixels)";
    case TEXT_UNJUDGED:
        return "an em of 1 pixel: no glyph has a shape. Wine draws each as a faint speck (its "
               "darkest pixel is 12% covered) or not at all, the stand-in a drop-out pixel or "
               "nothing; only differing pixels are counted";
    }
    return "";
}
