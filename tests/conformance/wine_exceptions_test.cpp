// The rules that set records apart from the pixel comparison must match what was measured under
// Wine: tall narrow ellipses (gdi-rules.md 5.4), hiding no other record; text Wine draws grey,
// where the font's own gasp table asks for it.
#include "tools/conformance/wine_exceptions.h"

#include "platform/gdi/text/font_files.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GASP_H
#include <gtest/gtest.h>

#include <cstring>
#include <map>

namespace {

TEST(WineExceptions, WalkFailsFromTheMeasuredHeightOn) {
    // Width: the first height below 200 at which Wine's walk misses the last row.
    const std::map<int, int> first_failing = {{3, 8},   {4, 7},    {5, 32},  {6, 20},
                                              {7, 72},  {8, 40},   {9, 128}, {10, 65},
                                              {12, 97}, {14, 136}, {16, 180}};
    for (int width = 3; width <= 30; width++) {
        auto measured = first_failing.find(width);
        int expected = measured == first_failing.end() ? 0 : measured->second;
        int first = 0;
        for (int height = 3; height < 200 && first == 0; height++)
            if (!ellipse_walk_reaches_last_row(width, height)) first = height;
        EXPECT_EQ(first, expected) << "width " << width;
    }
    // Measured under Wine 8.0 as well: Ellipse(10, 10, 21, 210) leaves rows 10 and 209 empty;
    // a 17-wide box 400 tall is drawn whole.
    EXPECT_FALSE(ellipse_walk_reaches_last_row(11, 200));
    EXPECT_TRUE(ellipse_walk_reaches_last_row(17, 400));
}

TEST(WineExceptions, OnlyTallNarrowOvalsAreLeftOut) {
    origin_x = 297;
    origin_y = 240;
    // Logical (0, 0) to (3, -7) is a device box 4 wide and 8 tall.
    DrawRecord oval = {SHAPE_OVAL, RED, 0, 0, 0, 3, -7, 0, 0, nullptr};
    EXPECT_NE(wine_exception(oval), nullptr);
    // Reversed corners: the far edge's + 1 lands on the near side, a box 3 wide and 8 tall.
    DrawRecord reversed = {SHAPE_OVAL, RED, 2, 4, -9, 0, 0, 0, 0, nullptr};
    EXPECT_NE(wine_exception(reversed), nullptr);
    DrawRecord wide = {SHAPE_OVAL, RED, 0, 0, 0, 7, -3, 0, 0, nullptr};
    EXPECT_EQ(wine_exception(wide), nullptr);
    DrawRecord short_one = {SHAPE_OVAL, RED, 0, 0, 0, 3, -5, 0, 0, nullptr};
    EXPECT_EQ(wine_exception(short_one), nullptr);
    DrawRecord rectangle = {SHAPE_RECTANGLE, RED, 0, 0, 0, 3, -7, 0, 0, nullptr};
    EXPECT_EQ(wine_exception(rectangle), nullptr);
    // Two pixels thin: drawn as a rectangle, Wine is an oracle again.
    DrawRecord thin = {SHAPE_OVAL, RED, 0, 0, 0, 1, -300, 0, 0, nullptr};
    EXPECT_EQ(wine_exception(thin), nullptr);
}

} // namespace

namespace {

DrawRecord text_record(int point_size) {
    return {SHAPE_TEXT, BLACK, 0, 0, 0, point_size, 0, 0, 0, nullptr};
}

TEST(WineExceptions, GreyTextIsWhereTheFontsGaspTableAsksForIt) {
    text::FontFiles files;
    std::string error;
    ASSERT_TRUE(text::find_font_files(text::system_font_lookup(), files, error)) << error;
    FT_Library library;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    FT_Face face;
    ASSERT_EQ(FT_New_Face(library, files.sans_regular.c_str(), 0, &face), 0);
    int grey = 0;
    for (int size = 0; size <= 127; size++) {
        int em = text_em(text_record(size));
        ASSERT_EQ(FT_Set_Pixel_Sizes(face, 0, FT_UInt(em)), 0);
        FT_Int gasp = FT_Get_Gasp(face, FT_UInt(em));
        ASSERT_NE(gasp, FT_GASP_NO_TABLE);
        EXPECT_EQ(wine_draws_text_grey(text_record(size)), (gasp & FT_GASP_DO_GRAY) != 0) << size;
        grey += wine_draws_text_grey(text_record(size));
    }
    EXPECT_EQ(grey, 128 - 10); // ems 9 to 17, and 14 for point size 0, are drawn in one bit
    FT_Done_Face(face);
    FT_Done_FreeType(library);

    EXPECT_EQ(text_comparison(text_record(0)), TEXT_SAME_PIXELS);
    EXPECT_EQ(text_comparison(text_record(1)), TEXT_UNJUDGED);
    EXPECT_EQ(text_comparison(text_record(2)), TEXT_BOXES);
    EXPECT_EQ(text_comparison(text_record(12)), TEXT_SAME_PIXELS);
    EXPECT_EQ(text_comparison(text_record(127)), TEXT_BOXES);

    // Shapes are never text.
    DrawRecord circle = {SHAPE_OVAL, RED, 0, -1, 1, 1, -1, 0, 0, nullptr};
    EXPECT_FALSE(wine_draws_text_grey(circle));
}

TEST(WineExceptions, PointSizeZeroIsTheDefaultCell) {
    // GDI's default height is a 16-pixel cell, the same font as an em of 14 (Wine's metrics for
    // both are those the text tests check).
    EXPECT_EQ(text_em(text_record(0)), 14);
    EXPECT_EQ(text_em(text_record(9)), 9);
    HDC dc = CreateCompatibleDC(nullptr);
    TEXTMETRICA tm[2];
    for (int i = 0; i < 2; i++) {
        HFONT font =
            CreateFontA(i == 0 ? 0 : -14, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "KORVA-font");
        SelectObject(dc, font);
        ASSERT_TRUE(GetTextMetricsA(dc, &tm[i]));
        SelectObject(dc, GetStockObject(SYSTEM_FONT));
        DeleteObject(font);
    }
    DeleteDC(dc);
    EXPECT_EQ(tm[0].tmHeight, 16);
    EXPECT_EQ(memcmp(&tm[0], &tm[1], sizeof tm[0]), 0);
}

} // namespace
