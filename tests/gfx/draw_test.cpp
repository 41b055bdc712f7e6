// The drawing calls: repairs and their messages, description lines, and what gets drawn.
#include "package_test.h"

#include <climits>
#include <string>

namespace {

class Drawing : public PackageTest {
  protected:
    void SetUp() override {
        PackageTest::SetUp();
        open();
        take_log();
    }
};

TEST_F(Drawing, RectangleCornersAreNormalisedAndDescribed) {
    gfx_rectangle(RED, 10, -10, -10, 10, 0);
    EXPECT_EQ(take_log(), "red rectangle with bounding box (-10,10) to (10,-10), filled\n");
    gfx_rectangle(BLUE, -5, -5, 5, 5, 2);
    EXPECT_EQ(take_log(), "blue rectangle with bounding box (-5,5) to (5,-5) with line width 2\n");
    gfx_oval(GRAY_20, 5, 5, -5, -5, 1);
    EXPECT_EQ(take_log(), "20% gray oval with bounding box (-5,5) to (5,-5), line width 1\n");
    gfx_oval(FOREST_GREEN, 5, 5, -5, -5, 0);
    EXPECT_EQ(take_log(), "forest green oval with bounding box (-5,5) to (5,-5), filled\n");
}

TEST_F(Drawing, RepairsAreLoggedInEachCallsOwnOrder) {
    gfx_rectangle(30, 0, 0, 1, 1, -2);
    EXPECT_EQ(take_log(), "Illegal color 30; using RED.\n"
                          "Width of -2 not possible, using width 2\n"
                          "red rectangle with bounding box (0,1) to (1,0) with line width 2\n");
    gfx_oval(30, 0, 0, 1, 1, -2);
    EXPECT_EQ(take_log(), "Width of -2 not possible, using width 2\n"
                          "Illegal color 30; using RED.\n"
                          "red oval with bounding box (0,1) to (1,0), line width 2\n");
    gfx_circle(-1, 0, 0, -4);
    EXPECT_EQ(take_log(), "Illegal color -1; using RED.\n"
                          "Radius of -4 not possible, using radius 4\n"
                          "red circle at (0,0), radius 4\n");
    gfx_line(99, 1, 2, 3, 4, -3);
    EXPECT_EQ(take_log(), "Width of -3 not possible, using width 3\n"
                          "Illegal color 99; using RED.\n"
                          "red line from (1,2) to (3,4), width 3\n");
    gfx_triangle(24, 0, 0, 10, 0, 5, 5, -1);
    EXPECT_EQ(take_log(), "Illegal color 24; using RED.\n"
                          "Width of -1 not possible, using width 1\n"
                          "red triangle at (0,0), (10,0), (5,5)\n");
    gfx_triangle(GRAY_20, 0, 0, 10, 0, 5, 5, 0);
    EXPECT_EQ(take_log(), "20% gray triangle at (0,0), (10,0), (5,5)\n");
}

TEST_F(Drawing, PointSizeIsRepairedInTwoSteps) {
    gfx_text(BLACK, 0, 0, 127, "a");
    EXPECT_EQ(take_log(), "black text at (0,0), \"a\"\n");
    gfx_text(BLACK, 0, 0, 128, "a");
    EXPECT_EQ(take_log(), "ptsize of 128 not possible, using ptsize 127\n"
                          "black text at (0,0), \"a\"\n");
    gfx_text(BLACK, 0, 0, -200, "a");
    EXPECT_EQ(take_log(), "ptsize of -200 not possible, using ptsize 200\n"
                          "ptsize of 200 not possible, using ptsize 127\n"
                          "black text at (0,0), \"a\"\n");
}

TEST_F(Drawing, TheMostNegativeValueSaturates) {
    gfx_circle(RED, 0, 0, INT_MIN);
    EXPECT_EQ(take_log(), "Radius of -2147483648 not possible, using radius 2147483647\n"
                          "red circle at (0,0), radius 2147483647\n");
    gfx_line(RED, 0, 0, 1, 1, INT_MIN);
    EXPECT_EQ(take_log(), "Width of -2147483648 not possible, using width 2147483647\n"
                          "red line from (0,0) to (1,1), width 2147483647\n");
    gfx_text(RED, 0, 0, INT_MIN, "");
    EXPECT_EQ(take_log(), "ptsize of -2147483648 not possible, using ptsize 2147483647\n"
                          "ptsize of 2147483647 not possible, using ptsize 127\n"
                          "red text at (0,0), \"\"\n");
}

TEST_F(Drawing, LoggingOffKeepsOnlyRepairs) {
    gfx_logging(0);
    gfx_circle(RED, 0, 0, 3);
    gfx_clear();
    EXPECT_EQ(take_log(), "");
    gfx_circle(40, 0, 0, -3);
    EXPECT_EQ(take_log(),
              "Illegal color 40; using RED.\nRadius of -3 not possible, using radius 3\n");
    gfx_logging(1);
    gfx_clear();
    EXPECT_EQ(take_log(), "Clearing the graphics window\n");
}

TEST_F(Drawing, LineOfWidthZeroIsDescribedAsZeroAndDrawnOnePixelWide) {
    fill_canvas(0x000000);
    gfx_line(WHITE, -10, 0, 10, 0, 0);
    EXPECT_EQ(take_log(), "white line from (-10,0) to (10,0), width 0\n");
    EXPECT_EQ(logical_pixel(0, 0), 0xFFFFFFu);
    EXPECT_EQ(logical_pixel(0, 1), 0x000000u);
    EXPECT_EQ(logical_pixel(0, -1), 0x000000u);
}

TEST_F(Drawing, PaletteBoundsAndColourValues) {
    fill_canvas(0x000000);
    gfx_circle(23, 0, 0, 3);
    EXPECT_EQ(take_log(), "20% gray circle at (0,0), radius 3\n");
    EXPECT_EQ(logical_pixel(0, 0), 0xCCCCCCu);
    gfx_circle(24, 0, 0, 3);
    EXPECT_EQ(logical_pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(palette[RED], 255u);
    EXPECT_EQ(palette[BLUE], 16711680u);
    EXPECT_STREQ(palette_names[GRAY_50], "50% gray");
    EXPECT_EQ(check_color(0), 0);
    EXPECT_EQ(check_color(NUM_COLORS - 1), NUM_COLORS - 1);
}

TEST_F(Drawing, PrintfFormatsDrawsAndCountsWhatWasFormatted) {
    EXPECT_EQ(gfx_printf(BLACK, 1, 2, 12, "%d", 3), 1);
    EXPECT_EQ(take_log(), "black text at (1,2), \"3\"\n");
    std::string long_text(1500, 'x');
    EXPECT_EQ(gfx_printf(BLACK, 0, 0, 12, "%s", long_text.c_str()), 1500);
    std::string logged = take_log();
    // The drawn text is cut to 1023 characters; so is the description line.
    EXPECT_EQ(logged.size(), 1023u);
    EXPECT_EQ(logged.rfind("black text at (0,0), \"xxx", 0), 0u);
}

TEST_F(Drawing, LogCountsAndBoundsLongLines) {
    EXPECT_EQ(gfx_log("abc\n"), 4);
    std::string long_text(2000, 'y');
    EXPECT_EQ(gfx_log("%s", long_text.c_str()), 2000);
    EXPECT_EQ(take_log(), "abc\n" + std::string(1023, 'y'));
    EXPECT_EQ(GlobalSize(log_ring[1]), 1024u);
}

TEST_F(Drawing, TextWithoutAMemoryBlockIsNotDrawn) {
    fill_canvas(0xFFFFFF);
    gfx_logging(0);
    kernel::fail_next_allocations(1);
    EXPECT_EQ(gfx_text(BLACK, 0, 0, 32, "gone"), 1);
    EXPECT_EQ(changed_box(0xFFFFFF).right, -1);
    EXPECT_EQ(kernel::live_blocks(), 0);
    gfx_text(BLACK, 0, 0, 32, "here");
    EXPECT_NE(changed_box(0xFFFFFF).right, -1);
    EXPECT_EQ(kernel::live_blocks(), 0);
}

TEST_F(Drawing, LoggingSwitchFollowsTheMenuAndShowsTheTextWindow) {
    show_text_window(0);
    EXPECT_EQ(gfx_logging(5), 1);
    EXPECT_EQ(logging_on, 1);
    EXPECT_TRUE(IsWindowVisible(text_window));
    EXPECT_EQ(GetMenuState(run_menu, CMD_LOGGING, MF_BYCOMMAND) & MF_CHECKED, UINT(MF_CHECKED));
    show_text_window(0);
    EXPECT_EQ(gfx_logging(0), 1);
    EXPECT_EQ(logging_on, 0);
    EXPECT_FALSE(IsWindowVisible(text_window));
    EXPECT_EQ(GetMenuState(run_menu, CMD_LOGGING, MF_BYCOMMAND) & MF_CHECKED, 0u);
}

} // namespace
