// The drawing calls on any GDI, the stand-in's and the real one: their description lines, where
// their records land on the canvas, and formatted text longer than the package's buffers.
#include "package_fixture.h"

#include <climits>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr uint32_t BACKGROUND = 0x123456; // no palette colour

class DrawingCalls : public PackageFixture {
  protected:
    void SetUp() override {
        PackageFixture::SetUp();
        open();
        await_idle();
        fill_canvas(BACKGROUND);
        take_log();
    }
    // The device box a logical box covers, both corners included.
    RECT device_box(int x1, int y1, int x2, int y2) {
        return {origin_x + x1, origin_y - y1, origin_x + x2, origin_y - y2};
    }
};

void expect_box(RECT actual, RECT expected) {
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.right, expected.right);
    EXPECT_EQ(actual.bottom, expected.bottom);
}

// Each call's description line, with the repairs before it in the call's own order.
TEST_F(DrawingCalls, CallsDescribeThemselvesAndReportTheirRepairs) {
    struct Case {
        std::function<void()> call;
        const char *log;
    };
    const Case cases[] = {
        {[] { gfx_rectangle(RED, 10, -10, -10, 10, 0); },
         "red rectangle with bounding box (-10,10) to (10,-10), filled\n"},
        {[] { gfx_rectangle(BLUE, -5, -5, 5, 5, 2); },
         "blue rectangle with bounding box (-5,5) to (5,-5) with line width 2\n"},
        {[] { gfx_oval(GRAY_20, 5, 5, -5, -5, 1); },
         "20% gray oval with bounding box (-5,5) to (5,-5), line width 1\n"},
        {[] { gfx_oval(FOREST_GREEN, 5, 5, -5, -5, 0); },
         "forest green oval with bounding box (-5,5) to (5,-5), filled\n"},
        {[] { gfx_rectangle(30, 0, 0, 1, 1, -2); },
         "Illegal color 30; using RED.\n"
         "Width of -2 not possible, using width 2\n"
         "red rectangle with bounding box (0,1) to (1,0) with line width 2\n"},
        {[] { gfx_oval(30, 0, 0, 1, 1, -2); },
         "Width of -2 not possible, using width 2\n"
         "Illegal color 30; using RED.\n"
         "red oval with bounding box (0,1) to (1,0), line width 2\n"},
        {[] { gfx_circle(-1, 0, 0, -4); }, "Illegal color -1; using RED.\n"
                                           "Radius of -4 not possible, using radius 4\n"
                                           "red circle at (0,0), radius 4\n"},
        {[] { gfx_circle(GRAY_20, 0, 0, -4); }, "Radius of -4 not possible, using radius 4\n"
                                                "20% gray circle at (0,0), radius 4\n"},
        {[] { gfx_line(99, 1, 2, 3, 4, -3); }, "Width of -3 not possible, using width 3\n"
                                               "Illegal color 99; using RED.\n"
                                               "red line from (1,2) to (3,4), width 3\n"},
        {[] { gfx_triangle(24, 0, 0, 10, 0, 5, 5, -1); },
         "Illegal color 24; using RED.\n"
         "Width of -1 not possible, using width 1\n"
         "red triangle at (0,0), (10,0), (5,5)\n"},
        {[] { gfx_triangle(GRAY_20, 0, 0, 10, 0, 5, 5, 0); },
         "20% gray triangle at (0,0), (10,0), (5,5)\n"},
        {[] { gfx_text(BLACK, 0, 0, 127, "a"); }, "black text at (0,0), \"a\"\n"},
        {[] { gfx_text(BLACK, 0, 0, 128, "a"); }, "ptsize of 128 not possible, using ptsize 127\n"
                                                  "black text at (0,0), \"a\"\n"},
        {[] { gfx_text(BLACK, 0, 0, -200, "a"); }, "ptsize of -200 not possible, using ptsize 200\n"
                                                   "ptsize of 200 not possible, using ptsize 127\n"
                                                   "black text at (0,0), \"a\"\n"},
    };
    for (const Case &c : cases) {
        c.call();
        EXPECT_EQ(take_log(), c.log);
    }
    gfx_logging(0);
    gfx_line(BLUE, 0, 0, 5, 5, 0);
    gfx_line(99, 0, 0, 5, 5, 0);
    EXPECT_EQ(take_log(), "Illegal color 99; using RED.\n");
}

TEST_F(DrawingCalls, BoxesCoverBothCornersAndOutlinesLeaveTheInside) {
    gfx_rectangle(RED, -10, 10, 10, -10, 0);
    expect_box(changed_box(BACKGROUND), device_box(-10, 10, 10, -10));
    for (int y = -10; y <= 10; y++)
        for (int x = -10; x <= 10; x++) ASSERT_EQ(logical_pixel(x, y), pixel_of(palette[RED]));

    fill_canvas(BACKGROUND);
    gfx_rectangle(BLUE, -10, 10, 10, -10, 3);
    EXPECT_EQ(logical_pixel(0, 0), BACKGROUND);
    EXPECT_EQ(logical_pixel(-10, 0), pixel_of(palette[BLUE]));
    EXPECT_EQ(logical_pixel(0, -10), pixel_of(palette[BLUE]));
    gfx_oval(BLUE, -20, 20, 20, -20, 2);
    EXPECT_EQ(logical_pixel(0, 0), BACKGROUND);

    fill_canvas(BACKGROUND);
    gfx_circle(GREEN, 20, -30, 7);
    expect_box(changed_box(BACKGROUND), device_box(13, -23, 27, -37));

    // A radius-0 circle is a one-pixel box, which GDI leaves empty.
    fill_canvas(BACKGROUND);
    gfx_circle(GREEN, 0, 0, 0);
    EXPECT_EQ(changed_box(BACKGROUND).right, -1);
}

// A call with arguments to repair draws what the call with the repaired ones draws.
TEST_F(DrawingCalls, RepairedArgumentsDrawAsTheirRepairs) {
    struct Case {
        const char *what;
        std::function<void()> repaired, as_repaired;
    };
    const Case cases[] = {
        {"negative radius", [] { gfx_circle(RED, 10, 20, -5); },
         [] { gfx_circle(RED, 10, 20, 5); }},
        {"corners in another order", [] { gfx_rectangle(BLUE, 30, -5, 10, 40, 2); },
         [] { gfx_rectangle(BLUE, 10, 40, 30, -5, 2); }},
        {"colour and width", [] { gfx_oval(99, 0, 0, 8, -4, -3); },
         [] { gfx_oval(RED, 0, 0, 8, -4, 3); }},
        {"line width 0", [] { gfx_line(GREEN, -297, 240, 303, -300, 0); },
         [] { gfx_line(GREEN, -297, 240, 303, -300, 1); }},
        {"point size", [] { gfx_text(BLACK, -7, 8, 300, "caf\xe9\n\x80"); },
         [] { gfx_text(BLACK, -7, 8, 127, "caf\xe9\n\x80"); }},
        {"formatting", [] { gfx_printf(BLACK, 0, 0, 12, "%d bugs", 9); },
         [] { gfx_text(BLACK, 0, 0, 12, "9 bugs"); }},
    };
    const std::vector<uint32_t> nothing = picture_of([] {}, BACKGROUND);
    for (const Case &c : cases) {
        std::vector<uint32_t> expected = picture_of(c.as_repaired, BACKGROUND);
        EXPECT_TRUE(expected != nothing) << c.what;
        EXPECT_TRUE(picture_of(c.repaired, BACKGROUND) == expected) << c.what;
    }
    EXPECT_TRUE(picture_of([] { gfx_text(BLACK, 1, 1, 0, ""); }, BACKGROUND) == nothing);
}

TEST_F(DrawingCalls, LinesAndTrianglesLandOnTheirMappedPoints) {
    gfx_line(BLACK, -20, 5, 20, 5, 0);
    // A one-pixel line leaves out its end point.
    expect_box(changed_box(BACKGROUND), device_box(-20, 5, 19, 5));

    fill_canvas(BACKGROUND);
    gfx_triangle(ORANGE, -8, 0, 8, 0, 0, 8, 0);
    expect_box(changed_box(BACKGROUND), device_box(-8, 8, 8, 0));
    fill_canvas(BACKGROUND);
    gfx_triangle(ORANGE, -30, -30, 30, -30, 0, 30, 0);
    EXPECT_EQ(logical_pixel(0, 0), pixel_of(palette[ORANGE]));
    EXPECT_EQ(logical_pixel(0, 29), pixel_of(palette[ORANGE]));
    EXPECT_EQ(logical_pixel(0, 32), BACKGROUND);
}

TEST_F(DrawingCalls, ClearingLeavesWhiteWithABlackBorder) {
    gfx_clear();
    EXPECT_EQ(take_log(), "Clearing the graphics window\n");
    for (POINT edge : {POINT{0, 0}, POINT{600, 539}, POINT{0, 100}, POINT{600, 100}, POINT{100, 0},
                       POINT{100, 539}})
        EXPECT_EQ(canvas_pixel(edge.x, edge.y), pixel_of(palette[BLACK]))
            << edge.x << "," << edge.y;
    EXPECT_EQ(canvas_pixel(1, 1), pixel_of(palette[WHITE]));
    EXPECT_EQ(canvas_pixel(599, 538), pixel_of(palette[WHITE]));
}

TEST_F(DrawingCalls, TextLinesStackDownwardsFromTheAnchor) {
    gfx_text(BLACK, 0, 0, 16, "Hg\nHg");
    RECT two_lines = changed_box(BACKGROUND);
    // The first line's cells lie just above the anchor row, the second's from it down.
    TEXTMETRICA metrics;
    HFONT font = CreateFontA(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "KORVA-font");
    HGDIOBJ old = SelectObject(canvas.dc, font);
    GetTextMetricsA(canvas.dc, &metrics);
    SelectObject(canvas.dc, old);
    DeleteObject(font);
    int h = metrics.tmHeight;
    EXPECT_GE(two_lines.top, origin_y - h);
    EXPECT_LT(two_lines.top, origin_y - h + metrics.tmAscent);
    EXPECT_GE(two_lines.bottom, origin_y + metrics.tmAscent);
    EXPECT_LT(two_lines.bottom, origin_y + h);
    EXPECT_GE(two_lines.left, origin_x);

    // A newline at the end starts no line that draws anything.
    EXPECT_TRUE(picture_of([] { gfx_text(BLACK, 0, 0, 12, "abc\n"); }, BACKGROUND) ==
                picture_of([] { gfx_text(BLACK, 0, 0, 12, "abc"); }, BACKGROUND));

    // An empty line between them moves the second visible line one line height further down.
    fill_canvas(BACKGROUND);
    gfx_text(BLACK, 0, 0, 16, "Hg\n\nHg");
    EXPECT_EQ(changed_box(BACKGROUND).bottom, two_lines.bottom + h);
    EXPECT_EQ(changed_box(BACKGROUND).top, two_lines.top);
}

// The C runtime's formatting must report the whole count even when the text is cut to the
// buffer: the package's results depend on it.
TEST_F(DrawingCalls, LongFormattedTextReportsItsFullLength) {
    std::string long_text(3000, 'x');
    EXPECT_EQ(gfx_printf(BLACK, 0, 0, 12, "%s!", long_text.c_str()), 3001);
    EXPECT_EQ(gfx_log("%s\n", long_text.c_str()), 3001);
    const char *kept = static_cast<const char *>(GlobalLock(log_ring[log_oldest]));
    ASSERT_NE(kept, nullptr);
    std::string line = kept;
    GlobalUnlock(log_ring[log_oldest]);
    // The first line is the description of the gfx_printf text, cut to 1023 characters.
    EXPECT_EQ(line.size(), 1023u);
    EXPECT_EQ(line.substr(0, 20), "black text at (0,0),");
}

// Coordinates at the ends of the integer range reach GDI clamped; GDI may refuse them, but the
// calls return and later drawing works.
TEST_F(DrawingCalls, FarAwayShapesFinishAndClip) {
    gfx_rectangle(BLUE, INT_MIN, INT_MAX, INT_MAX, INT_MIN, 0);
    gfx_line(GREEN, INT_MIN, INT_MIN, INT_MAX, INT_MAX, 5);
    gfx_text(RED, INT_MAX, INT_MIN, 127, "far away");
    fill_canvas(BACKGROUND);
    gfx_triangle(RED, -100000, 0, 100000, 0, 0, 100000, 0);
    EXPECT_EQ(logical_pixel(0, 10), pixel_of(palette[RED]));
    EXPECT_EQ(logical_pixel(0, -10), BACKGROUND);
    gfx_oval(GREEN, -100000, 20000, 100000, -20000, 3);
    EXPECT_EQ(logical_pixel(0, 10), pixel_of(palette[RED]));
}

} // namespace
