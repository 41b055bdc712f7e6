// TextOutA: where glyphs land, the background modes, colours, Latin-1 bytes and clipping.
#include "text_test_support.h"

#include <set>
#include <vector>

namespace {

using TextDrawTest = TextTest;

// The box around every pixel that is not white; false if there is none.
bool ink_box(Canvas &canvas, int &left, int &top, int &right, int &bottom) {
    platform::Surface &s = canvas.surface();
    left = s.width, top = s.height, right = -1, bottom = -1;
    for (int y = 0; y < s.height; y++)
        for (int x = 0; x < s.width; x++)
            if (s.at(x, y) != 0xFFFFFF) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    return right >= 0;
}

// Wine's drawings of the same calls (gdi-maps/text_winefonts.txt) for text at (10, 80) in the
// -16 canvas font: rows 83..93, columns 5..59. Everything else stays white.
const std::vector<std::string> kWineAB = {
    "..........#......########..............................",
    "..........#......#.......#.............................",
    ".........#.#.....#.......#.............................",
    ".........#.#.....#.......#.............................",
    "........#...#....#.......#.............................",
    "........#...#....########..............................",
    ".......#.....#...#.......#.............................",
    ".......#######...#.......#.............................",
    "......#.......#..#.......#.............................",
    "......#.......#..#.......#.............................",
    ".....#.........#.########..............................",
};

const std::vector<std::string> kWineANewlineB = {
    "..........#......#####.########........................",
    "..........#......#...#.#.......#.......................",
    ".........#.#.....#...#.#.......#.......................",
    ".........#.#.....#...#.#.......#.......................",
    "........#...#....#...#.#.......#.......................",
    "........#...#....#...#.########........................",
    ".......#.....#...#...#.#.......#.......................",
    ".......#######...#...#.#.......#.......................",
    "......#.......#..#...#.#.......#.......................",
    "......#.......#..#...#.#.......#.......................",
    ".....#.........#.#####.########........................",
};

void expect_wine_drawing(Canvas &canvas, const std::vector<std::string> &expected) {
    EXPECT_EQ(ink(canvas, 5, 83, 59, 93), expected);
    int left, top, right, bottom;
    ASSERT_TRUE(ink_box(canvas, left, top, right, bottom));
    EXPECT_GE(top, 83);
    EXPECT_LE(bottom, 93);
    EXPECT_GE(left, 5);
    EXPECT_LE(right, 59);
}

TEST_F(TextDrawTest, GlyphsMatchGdiAtSixteenPixels) {
    Canvas canvas(64, 110);
    HFONT font = canvas_font(-16);
    SelectObject(canvas.dc, font);
    SetBkMode(canvas.dc, TRANSPARENT);
    ASSERT_TRUE(TextOutA(canvas.dc, 10, 80, "AB", 2));
    expect_wine_drawing(canvas, kWineAB);
    canvas.fill(0xFFFFFF);
    ASSERT_TRUE(TextOutA(canvas.dc, 10, 80, "A\nB", 3)); // a newline draws the missing box
    expect_wine_drawing(canvas, kWineANewlineB);
}

TEST_F(TextDrawTest, TopLeftAnchorPutsTheBaselineAtAscent) {
    Canvas canvas(64, 64);
    SelectObject(canvas.dc, canvas_font(-16));
    SetBkMode(canvas.dc, TRANSPARENT);
    ASSERT_TRUE(TextOutA(canvas.dc, 20, 30, "H", 1));
    int left, top, right, bottom;
    ASSERT_TRUE(ink_box(canvas, left, top, right, bottom));
    // As GDI draws it: ink x 21..29, y 33..43; the lowest row of the H is y + tmAscent - 1.
    EXPECT_EQ(left, 21);
    EXPECT_EQ(right, 29);
    EXPECT_EQ(top, 33);
    EXPECT_EQ(bottom, 30 + 14 - 1);

    // The fixed font: ascent 11.
    canvas.fill(0xFFFFFF);
    SelectObject(canvas.dc, GetStockObject(ANSI_FIXED_FONT));
    ASSERT_TRUE(TextOutA(canvas.dc, 5, 7, "H", 1));
    ASSERT_TRUE(ink_box(canvas, left, top, right, bottom));
    EXPECT_EQ(bottom, 7 + 11 - 1);
    EXPECT_GE(left, 5);
    EXPECT_LE(right, 5 + 7);
}

TEST_F(TextDrawTest, OpaqueFillsTheExtentTransparentOnlyGlyphs) {
    Canvas canvas(64, 64);
    SelectObject(canvas.dc, canvas_font(-16));
    SetTextColor(canvas.dc, RGB(0, 0, 255));
    SetBkColor(canvas.dc, RGB(255, 0, 0));
    ASSERT_EQ(GetBkMode(canvas.dc), OPAQUE); // the default
    ASSERT_TRUE(TextOutA(canvas.dc, 20, 30, "H", 1));
    // The extent is 12 x 17: x 20..31, y 30..46 is red or blue, everything else untouched.
    std::set<uint32_t> inside;
    for (int y = 0; y < 64; y++)
        for (int x = 0; x < 64; x++) {
            bool in_cell = x >= 20 && x <= 31 && y >= 30 && y <= 46;
            if (in_cell)
                inside.insert(canvas.at(x, y));
            else
                ASSERT_EQ(canvas.at(x, y), 0xFFFFFFu) << x << "," << y;
        }
    EXPECT_EQ(inside, (std::set<uint32_t>{0xFF0000, 0x0000FF}));

    canvas.fill(0x00FF00);
    SetBkMode(canvas.dc, TRANSPARENT);
    ASSERT_TRUE(TextOutA(canvas.dc, 20, 30, "H", 1));
    int blue = 0;
    for (uint32_t p : canvas.pixels()) {
        ASSERT_TRUE(p == 0x00FF00 || p == 0x0000FF);
        blue += p == 0x0000FF;
    }
    EXPECT_EQ(blue, 29); // the H's pixels, as GDI draws them
}

TEST_F(TextDrawTest, TextHasOnlyTwoColoursAtEverySize) {
    Canvas canvas(600, 200);
    SetBkMode(canvas.dc, TRANSPARENT);
    SetTextColor(canvas.dc, RGB(10, 20, 30));
    const char sample[] = "Quick brown fox, 0123 \xe9\xe8\xfc\xdf!";
    for (int height : {-8, -12, -16, -32, -127}) {
        HFONT font = canvas_font(height);
        SelectObject(canvas.dc, font);
        ASSERT_TRUE(TextOutA(canvas.dc, 2, 2, sample, int(sizeof sample - 1)));
    }
    SelectObject(canvas.dc, GetStockObject(ANSI_FIXED_FONT));
    ASSERT_TRUE(TextOutA(canvas.dc, 2, 180, sample, int(sizeof sample - 1)));
    std::vector<uint32_t> pixels = canvas.pixels();
    std::set<uint32_t> colours(pixels.begin(), pixels.end());
    EXPECT_EQ(colours, (std::set<uint32_t>{0xFFFFFF, 0x0A141E}));
}

// The ink of one byte drawn alone at (2, 2).
std::vector<std::string> glyph_ink(Canvas &canvas, const char *byte) {
    canvas.fill(0xFFFFFF);
    EXPECT_TRUE(TextOutA(canvas.dc, 2, 2, byte, 1));
    return ink(canvas, 0, 0, canvas.surface().width - 1, canvas.surface().height - 1);
}

bool has_ink(const std::vector<std::string> &rows) {
    for (const std::string &row : rows)
        if (row.find('#') != std::string::npos) return true;
    return false;
}

TEST_F(TextDrawTest, LatinOneBytesDrawTheirOwnGlyphs) {
    Canvas canvas(40, 40);
    SetBkMode(canvas.dc, TRANSPARENT);
    for (HGDIOBJ font : {HGDIOBJ(canvas_font(-16)), GetStockObject(ANSI_FIXED_FONT)}) {
        SelectObject(canvas.dc, font);
        auto missing = glyph_ink(canvas, "\x01");
        EXPECT_TRUE(has_ink(missing)) << "the missing-glyph box is visible";
        // A newline and a byte code page 1252 leaves undefined have no character: they draw the
        // missing box.
        EXPECT_EQ(glyph_ink(canvas, "\n"), missing);
        EXPECT_EQ(glyph_ink(canvas, "\x81"), missing);
        // Latin-1 letters are glyphs of their own, distinct from their base letters.
        auto e = glyph_ink(canvas, "e");
        for (const char *accented : {"\xe9", "\xe8", "\xea", "\xeb"}) {
            auto ink = glyph_ink(canvas, accented);
            EXPECT_TRUE(has_ink(ink));
            EXPECT_NE(ink, missing);
            EXPECT_NE(ink, e);
        }
        EXPECT_NE(glyph_ink(canvas, "\xa9"), missing); // the copyright sign
        EXPECT_FALSE(has_ink(glyph_ink(canvas, " ")));
        EXPECT_FALSE(has_ink(glyph_ink(canvas, "\xa0"))); // no-break space
    }
}

TEST_F(TextDrawTest, DrawingIsClippedAtTheTargetsEdges) {
    // A 40x20 bitmap; a long text hanging over every edge draws only inside it, and the part
    // inside matches the same text drawn where it fits.
    Canvas big(200, 80);
    Canvas small(40, 20);
    for (Canvas *c : {&big, &small}) {
        SelectObject(c->dc, canvas_font(-24));
        SetBkColor(c->dc, RGB(255, 255, 0));
    }
    const char text[] = "Wg\xc5y";
    ASSERT_TRUE(TextOutA(big.dc, 60, 30, text, 4));
    for (auto [dx, dy] : {std::pair{-20, -10}, {-5, 8}, {25, -15}, {30, 10}}) {
        small.fill(0xFFFFFF);
        ASSERT_TRUE(TextOutA(small.dc, dx, dy, text, 4));
        for (int y = 0; y < 20; y++)
            for (int x = 0; x < 40; x++)
                ASSERT_EQ(small.at(x, y), big.at(x - dx + 60, y - dy + 30))
                    << "offset " << dx << "," << dy << " pixel " << x << "," << y;
    }
    // Far outside, at the extremes of the coordinate range: nothing drawn, nothing broken.
    small.fill(0xFFFFFF);
    for (auto [x, y] : {std::pair{INT32_MIN, 0},
                        {INT32_MAX, 0},
                        {0, INT32_MIN},
                        {0, INT32_MAX},
                        {-1000, 5},
                        {1000, 5}})
        ASSERT_TRUE(TextOutA(small.dc, x, y, text, 4));
    for (uint32_t p : small.pixels()) ASSERT_EQ(p, 0xFFFFFFu);
}

TEST_F(TextDrawTest, InvalidCallsDrawNothing) {
    Canvas canvas(20, 20);
    EXPECT_FALSE(TextOutA(canvas.dc, 0, 0, "abc", -1));
    EXPECT_FALSE(TextOutA(canvas.dc, 0, 0, nullptr, 3));
    EXPECT_FALSE(TextOutA(nullptr, 0, 0, "abc", 3));
    EXPECT_TRUE(TextOutA(canvas.dc, 0, 0, "abc", 0)); // nothing to draw, not even background
    for (uint32_t p : canvas.pixels()) ASSERT_EQ(p, 0xFFFFFFu);

    // A DC whose surface is gone (a destroyed window's) has no pixels: nothing is drawn, but its
    // font can still be measured.
    HDC orphan = gdi::create_surface_dc(std::make_shared<platform::Surface>());
    EXPECT_FALSE(TextOutA(orphan, 0, 0, "abc", 3));
    SIZE size;
    EXPECT_TRUE(GetTextExtentPointA(orphan, "abc", 3, &size));
    EXPECT_TRUE(gdi::delete_surface_dc(orphan));

    // A font deleted while selected: the DC falls back to its default font.
    HFONT font = canvas_font(-12);
    SelectObject(canvas.dc, font);
    DeleteObject(font);
    TEXTMETRICA tm;
    ASSERT_TRUE(GetTextMetricsA(canvas.dc, &tm));
    EXPECT_EQ(tm.tmHeight, 16);
}

} // namespace
