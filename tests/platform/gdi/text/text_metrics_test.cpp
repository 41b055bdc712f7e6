// Font metrics and text extents, against what GDI (Wine 8.0 with Liberation Sans) reports for
// the same requests (gdi-maps/text_*.txt).
#include "text_test_support.h"

#include <climits>
#include <cstring>

namespace {

struct Expected {
    int request; // CreateFontA height
    int height, ascent, descent, internal, external, average, max;
    // Extents of "A", "AB", "A\nB", "\n", "\n\n", "A\n", "abc", "abc\n", "Hg".
    int widths[9];
};

const Expected kSans[] = {
    {0, 16, 13, 3, 2, 0, 8, 18, {9, 18, 23, 5, 10, 14, 23, 28, 18}},
    {-1, 1, 1, 0, 0, 0, 1, 1, {1, 2, 2, 0, 0, 1, 3, 3, 2}},
    {-8, 9, 7, 2, 1, 0, 5, 10, {5, 10, 13, 3, 6, 8, 12, 15, 10}},
    {-10, 11, 9, 2, 1, 0, 6, 13, {7, 14, 18, 4, 8, 11, 17, 21, 13}},
    {-12, 14, 11, 3, 1, 0, 7, 15, {8, 16, 20, 4, 8, 12, 20, 24, 16}},
    {-14, 16, 13, 3, 2, 0, 8, 18, {9, 18, 23, 5, 10, 14, 23, 28, 18}},
    {-16, 17, 14, 3, 2, 1, 9, 20, {11, 22, 28, 6, 12, 17, 26, 32, 21}},
    {-20, 22, 18, 4, 2, 1, 12, 25, {13, 26, 33, 7, 14, 20, 32, 39, 25}},
    {-24, 27, 22, 5, 3, 1, 14, 30, {16, 32, 41, 9, 18, 25, 38, 47, 30}},
    {-32, 36, 29, 7, 4, 1, 19, 40, {21, 42, 54, 12, 24, 33, 52, 64, 41}},
    {-127, 142, 115, 27, 15, 4, 75, 159, {85, 170, 216, 46, 92, 131, 206, 252, 163}},
    {16, 16, 13, 3, 2, 0, 8, 18, {9, 18, 23, 5, 10, 14, 23, 28, 18}},
};

const char *const kSamples[9] = {"A", "AB", "A\nB", "\n", "\n\n", "A\n", "abc", "abc\n", "Hg"};

void expect_extents(HDC dc, const int (&widths)[9], int height, const std::string &what) {
    for (int i = 0; i < 9; i++) {
        SIZE size{-1, -1};
        int count = int(std::strlen(kSamples[i]));
        ASSERT_TRUE(GetTextExtentPointA(dc, kSamples[i], count, &size));
        EXPECT_EQ(size.cx, widths[i]) << what << " sample " << i;
        EXPECT_EQ(size.cy, height) << what << " sample " << i;
        SIZE size32{-1, -1};
        ASSERT_TRUE(GetTextExtentPoint32A(dc, kSamples[i], count, &size32));
        EXPECT_EQ(size32.cx, size.cx);
        EXPECT_EQ(size32.cy, size.cy);
    }
}

using TextMetricsTest = TextTest;

TEST_F(TextMetricsTest, CanvasFontMatchesGdiAtEverySize) {
    Canvas canvas(4, 4);
    for (const Expected &e : kSans) {
        std::string what = "height " + std::to_string(e.request);
        HFONT font = canvas_font(e.request);
        HGDIOBJ previous = SelectObject(canvas.dc, font);
        TEXTMETRICA tm;
        ASSERT_TRUE(GetTextMetricsA(canvas.dc, &tm));
        EXPECT_EQ(tm.tmHeight, e.height) << what;
        EXPECT_EQ(tm.tmAscent, e.ascent) << what;
        EXPECT_EQ(tm.tmDescent, e.descent) << what;
        EXPECT_EQ(tm.tmInternalLeading, e.internal) << what;
        EXPECT_EQ(tm.tmExternalLeading, e.external) << what;
        EXPECT_EQ(tm.tmAveCharWidth, e.average) << what;
        EXPECT_EQ(tm.tmMaxCharWidth, e.max) << what;
        EXPECT_EQ(tm.tmWeight, FW_NORMAL) << what;
        EXPECT_EQ(tm.tmPitchAndFamily, 0x27) << what;
        expect_extents(canvas.dc, e.widths, e.height, what);
        SelectObject(canvas.dc, previous);
        DeleteObject(font);
    }
}

TEST_F(TextMetricsTest, AnsiFixedFontIsEightByThirteen) {
    Canvas canvas(4, 4);
    SelectObject(canvas.dc, GetStockObject(ANSI_FIXED_FONT));
    TEXTMETRICA tm;
    ASSERT_TRUE(GetTextMetricsA(canvas.dc, &tm));
    EXPECT_EQ(tm.tmHeight, 13);
    EXPECT_EQ(tm.tmAscent, 11);
    EXPECT_EQ(tm.tmDescent, 2);
    EXPECT_EQ(tm.tmInternalLeading, 0);
    EXPECT_EQ(tm.tmExternalLeading, 0);
    EXPECT_EQ(tm.tmAveCharWidth, 8);
    EXPECT_EQ(tm.tmMaxCharWidth, 8);
    EXPECT_EQ(tm.tmPitchAndFamily & 1, 0) << "fixed pitch";
    // Every byte is one 8-pixel cell, newlines and bytes without a glyph included.
    expect_extents(canvas.dc, {8, 16, 24, 8, 16, 16, 24, 32, 16}, 13, "ANSI_FIXED_FONT");
    SIZE size;
    ASSERT_TRUE(GetTextExtentPointA(canvas.dc, "\x80\x9f\xe9\xff", 4, &size));
    EXPECT_EQ(size.cx, 32);

    for (int stock : {OEM_FIXED_FONT, SYSTEM_FIXED_FONT}) {
        SelectObject(canvas.dc, GetStockObject(stock));
        ASSERT_TRUE(GetTextMetricsA(canvas.dc, &tm));
        EXPECT_EQ(tm.tmHeight, 13) << stock;
        EXPECT_EQ(tm.tmAveCharWidth, 8) << stock;
    }
}

TEST_F(TextMetricsTest, BoldWeightsUseTheBoldFace) {
    Canvas canvas(4, 4);
    SIZE regular, semibold, bold;
    TEXTMETRICA tm;
    HFONT fonts[3] = {canvas_font(-16, 599), canvas_font(-16, 600), canvas_font(-16, FW_BOLD)};
    SIZE *sizes[3] = {&regular, &semibold, &bold};
    int weights[3] = {FW_NORMAL, FW_BOLD, FW_BOLD};
    for (int i = 0; i < 3; i++) {
        SelectObject(canvas.dc, fonts[i]);
        ASSERT_TRUE(GetTextMetricsA(canvas.dc, &tm));
        EXPECT_EQ(tm.tmWeight, weights[i]);
        EXPECT_EQ(tm.tmHeight, 17); // the bold face has the same vertical metrics
        ASSERT_TRUE(GetTextExtentPointA(canvas.dc, "Mississippi", 11, sizes[i]));
    }
    EXPECT_GT(semibold.cx, regular.cx);
    EXPECT_EQ(semibold.cx, bold.cx);
}

TEST_F(TextMetricsTest, NewDcUsesTheSystemFont) {
    Canvas canvas(4, 4);
    TEXTMETRICA tm;
    ASSERT_TRUE(GetTextMetricsA(canvas.dc, &tm));
    EXPECT_EQ(tm.tmHeight, 16);
    EXPECT_EQ(tm.tmAscent, 13);
}

TEST_F(TextMetricsTest, EmptyAndInvalidArguments) {
    Canvas canvas(4, 4);
    SIZE size{7, 7};
    ASSERT_TRUE(GetTextExtentPointA(canvas.dc, "", 0, &size));
    EXPECT_EQ(size.cx, 0);
    EXPECT_EQ(size.cy, 0);
    ASSERT_TRUE(GetTextExtentPointA(canvas.dc, nullptr, 0, &size));
    EXPECT_FALSE(GetTextExtentPointA(canvas.dc, "abc", -1, &size));
    EXPECT_FALSE(GetTextExtentPointA(canvas.dc, nullptr, 3, &size));
    EXPECT_FALSE(GetTextExtentPointA(canvas.dc, "abc", 3, nullptr));
    EXPECT_FALSE(GetTextMetricsA(canvas.dc, nullptr));
    TEXTMETRICA tm;
    EXPECT_FALSE(GetTextMetricsA(nullptr, &tm));
    HDC gone = CreateCompatibleDC(nullptr);
    DeleteDC(gone);
    EXPECT_FALSE(GetTextExtentPointA(gone, "abc", 3, &size));
}

TEST_F(TextMetricsTest, ExtremeHeightsAreBounded) {
    Canvas canvas(4, 4);
    TEXTMETRICA tm;
    for (int height : {INT32_MIN, INT32_MAX, -100000}) {
        HFONT font = canvas_font(height);
        SelectObject(canvas.dc, font);
        ASSERT_TRUE(GetTextMetricsA(canvas.dc, &tm)) << height;
        EXPECT_GT(tm.tmHeight, 100) << height;
        EXPECT_LT(tm.tmHeight, 2000) << height;
    }
    // A long text's width is summed without overflowing.
    std::string long_text(1 << 22, 'W');
    SIZE size;
    ASSERT_TRUE(GetTextExtentPointA(canvas.dc, long_text.data(), int(long_text.size()), &size));
    EXPECT_EQ(size.cx, INT32_MAX);
}

TEST_F(TextMetricsTest, MenuFaceIsTwelvePixelSans) {
    const text::Metrics &m = text::metrics(text::menu_face());
    EXPECT_EQ(m.height, 14);
    EXPECT_EQ(m.ascent, 11);
    EXPECT_EQ(text::text_width(text::menu_face(), "Hg", 2), 16);
}

} // namespace
