// Where TextOutA puts each glyph's pixels, against Wine 8.0's drawings of the same calls (a mingw
// program drawing black text on a white 32-bit DIB section, TRANSPARENT, in a fresh prefix):
// how far the pen moves, which character a byte is, the character cell's rows, and the pixels
// at a glyph's tips.
#include "text_test_support.h"

#include <cstring>
#include <vector>

namespace {

using TextLayoutTest = TextTest;

// Draws `text` alone on a white canvas at (x, y) in the canvas font of `height`.
void draw(Canvas &canvas, int height, int x, int y, const char *text) {
    canvas.fill(0xFFFFFF);
    HFONT font = canvas_font(height);
    HGDIOBJ previous = SelectObject(canvas.dc, font);
    SetBkMode(canvas.dc, TRANSPARENT);
    ASSERT_TRUE(TextOutA(canvas.dc, x, y, text, int(std::strlen(text))));
    SelectObject(canvas.dc, previous);
    DeleteObject(font);
}

int extent(int height, const char *text) {
    Canvas canvas(1, 1);
    HFONT font = canvas_font(height);
    SelectObject(canvas.dc, font);
    SIZE size{};
    EXPECT_TRUE(GetTextExtentPoint32A(canvas.dc, text, int(std::strlen(text)), &size));
    DeleteObject(font);
    return size.cx;
}

// Wine: TextOutA(10, 10, "HHHHHi") at -16, rows 12..23, columns 10..74. Each H moves the pen
// 11 pixels, its advance hinted for one-bit drawing, though it measures 12.
const std::vector<std::string> kWineHHHHHi16 = {
    "........................................................#........",
    ".#.......#..#.......#..#.......#..#.......#..#.......#...........",
    ".#.......#..#.......#..#.......#..#.......#..#.......#...........",
    ".#.......#..#.......#..#.......#..#.......#..#.......#..#........",
    ".#.......#..#.......#..#.......#..#.......#..#.......#..#........",
    ".#.......#..#.......#..#.......#..#.......#..#.......#..#........",
    ".#########..#########..#########..#########..#########..#........",
    ".#.......#..#.......#..#.......#..#.......#..#.......#..#........",
    ".#.......#..#.......#..#.......#..#.......#..#.......#..#........",
    ".#.......#..#.......#..#.......#..#.......#..#.......#..#........",
    ".#.......#..#.......#..#.......#..#.......#..#.......#..#........",
    ".#.......#..#.......#..#.......#..#.......#..#.......#..#........",
};

TEST_F(TextLayoutTest, PenMovesByTheAdvancesGdiDrawsWith) {
    Canvas canvas(120, 40);
    draw(canvas, -16, 10, 10, "HHHHHi");
    EXPECT_EQ(ink(canvas, 10, 12, 74, 23), kWineHHHHHi16);
    // Measuring still uses the ordinary advances: 5 x 12 + 4, as Wine reports.
    EXPECT_EQ(extent(-16, "HHHHHi"), 64);
    EXPECT_EQ(extent(-16, "H"), 12);

    // OPAQUE fills the measured extent (x 10..73), whatever the glyphs' own advances.
    canvas.fill(0xFFFFFF);
    HFONT font = canvas_font(-16);
    SelectObject(canvas.dc, font);
    SetBkMode(canvas.dc, OPAQUE);
    SetBkColor(canvas.dc, RGB(255, 0, 0));
    ASSERT_TRUE(TextOutA(canvas.dc, 10, 10, "HHHHHi", 6));
    for (int x = 0; x < 120; x++) {
        bool inside = x >= 10 && x <= 73;
        EXPECT_EQ(canvas.at(x, 10), inside ? 0xFF0000u : 0xFFFFFFu) << x;
        EXPECT_EQ(canvas.at(x, 26), inside ? 0xFF0000u : 0xFFFFFFu) << x;
    }
    EXPECT_EQ(canvas.at(66, 12), 0u) << "the i's dot";
    DeleteObject(font);

    // At 20 pixels the font's gasp table asks for grey, and GDI draws with ordinarily hinted
    // glyphs: the pen moves by the measured advance, 14 (one-bit hinting would give 13). Wine
    // draws the i's stem at column 82.
    ASSERT_EQ(extent(-20, "HHHHH"), 70);
    draw(canvas, -20, 10, 10, "HHHHHi");
    std::vector<std::string> after_five = ink(canvas, 78, 0, 119, 39);
    draw(canvas, -20, 80, 10, "i");
    EXPECT_EQ(after_five, ink(canvas, 78, 0, 119, 39));
    EXPECT_EQ(ink(canvas, 82, 20, 82, 20), std::vector<std::string>{"#"});
}

// Wine: TextOutA(2, 2, "\x80\x85\x93\x99\x94") at -16 (euro sign, ellipsis, left double quote,
// trade mark, right double quote), rows 4..18, columns 0..60.
const std::vector<std::string> kWineCp1252 = {
    ".............................................................",
    ".....#####...................#.#.#####.#.....#...#.#.........",
    "....#.....#.................#.#....#...##...##...#.#.........",
    "...#........................#.#....#...##...##...#.#.........",
    "...#........................#.#....#...#.#.#.#..#.#..........",
    "..######...........................#...#.#.#.#...............",
    "...#...............................#...#..#..#...............",
    "..######.....................................................",
    "...#.........................................................",
    "...#.........................................................",
    "....#.....#..#....#....#.....................................",
    ".....#####...#....#....#.....................................",
    ".............................................................",
    ".............................................................",
    ".............................................................",
};

// Wine: the five bytes code page 1252 leaves undefined, DEL and a control code at -16, from
// (2, 2): each the missing-glyph box. Rows 5..15, columns 0..50.
const std::vector<std::string> kWineNoCharacter = {
    "...#####.#####.#####.#####.#####.#####.#####.......",
    "...#...#.#...#.#...#.#...#.#...#.#...#.#...#.......",
    "...#...#.#...#.#...#.#...#.#...#.#...#.#...#.......",
    "...#...#.#...#.#...#.#...#.#...#.#...#.#...#.......",
    "...#...#.#...#.#...#.#...#.#...#.#...#.#...#.......",
    "...#...#.#...#.#...#.#...#.#...#.#...#.#...#.......",
    "...#...#.#...#.#...#.#...#.#...#.#...#.#...#.......",
    "...#...#.#...#.#...#.#...#.#...#.#...#.#...#.......",
    "...#...#.#...#.#...#.#...#.#...#.#...#.#...#.......",
    "...#...#.#...#.#...#.#...#.#...#.#...#.#...#.......",
    "...#####.#####.#####.#####.#####.#####.#####.......",
};

TEST_F(TextLayoutTest, BytesAreCodePage1252Characters) {
    Canvas canvas(80, 24);
    draw(canvas, -16, 2, 2, "\x80\x85\x93\x99\x94");
    EXPECT_EQ(ink(canvas, 0, 4, 60, 18), kWineCp1252);
    draw(canvas, -16, 2, 2, "\x81\x8d\x8f\x90\x9d\x7f\x01");
    EXPECT_EQ(ink(canvas, 0, 5, 50, 15), kWineNoCharacter);

    // Each byte's width at -16, as Wine measures it (6 is the missing-glyph box).
    const int kWidths[32] = {9, 6, 4, 9, 5, 16, 9, 9,  5, 16, 11, 5, 16, 6, 10, 6,
                             6, 4, 4, 5, 5, 6,  9, 16, 5, 16, 8,  5, 15, 6, 8,  11};
    for (int byte = 0x80; byte < 0xA0; byte++) {
        char text[2] = {char(byte), 0};
        EXPECT_EQ(extent(-16, text), kWidths[byte - 0x80]) << "byte " << byte;
    }
    // The default height: a euro sign 8 pixels wide.
    EXPECT_EQ(extent(0, "\x80"), 8);
}

// Wine: TextOutA(10, 50, "\xC0\xC7") at -16, a cell of rows 50..66: the grave accent's top rows
// and the cedilla's bottom row lie outside it and are not drawn. Rows 47..69, columns 8..35.
const std::vector<std::string> kWineCell = {
    "............................", "............................", "............................",
    ".......#....................", ".......#....................", "............................",
    ".......#.........#####......", ".......#.......##.....#.....", "......#.#......#.......#....",
    "......#.#.....#.............", ".....#...#....#.............", ".....#...#....#.............",
    "....#.....#...#.............", "....#######...#.............", "...#.......#...#.......#....",
    "...#.......#...##.....#.....", "..#.........#....#####......", "..................#.........",
    "..................##........", "....................#.......", "............................",
    "............................", "............................",
};

TEST_F(TextLayoutTest, GlyphsStayInsideTheirCellRows) {
    Canvas canvas(40, 80);
    draw(canvas, -16, 10, 50, "\xC0\xC7");
    EXPECT_EQ(ink(canvas, 8, 47, 35, 69), kWineCell);
    for (int y = 0; y < 80; y++) {
        if (y >= 50 && y <= 66) continue;
        for (int x = 0; x < 40; x++) ASSERT_EQ(canvas.at(x, y), 0xFFFFFFu) << x << "," << y;
    }
    // A cell cut by the bitmap's top edge still ends at its own last row (8 here).
    draw(canvas, -16, 10, -8, "\xC0\xC7");
    for (int x = 0; x < 40; x++) EXPECT_EQ(canvas.at(x, 9), 0xFFFFFFu) << x;
    std::vector<std::string> cut = ink(canvas, 8, 0, 35, 8);
    draw(canvas, -16, 10, 50, "\xC0\xC7");
    EXPECT_EQ(cut, ink(canvas, 8, 58, 35, 66));
}

// Wine: TextOutA(2, 2, "<>") at -12, rows 6..10, columns 0..16. The glyphs' points are single
// pixels that drop-out control adds just outside the outline's rounded box.
const std::vector<std::string> kWineAngles = {
    "......##..##.....", "....##......##...", "..##..........##.",
    "...###......###..", "......##..##.....",
};

TEST_F(TextLayoutTest, GlyphsKeepThePixelsAtTheirTips) {
    Canvas canvas(24, 16);
    draw(canvas, -12, 2, 2, "<>");
    EXPECT_EQ(ink(canvas, 0, 6, 16, 10), kWineAngles);
}

} // namespace
