// The drawing calls on the stand-in: saturating repairs, logging off, the palette, long texts,
// a failed allocation, the logging switch. Their descriptions and repairs on any GDI are the
// drawing-call suite's (drawing_calls_test.cpp), which also runs under Wine.
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

// GDI may refuse coordinates this far out, or take its time over them (Wine does); the
// stand-in finishes at once and draws what falls on the canvas.
TEST_F(Drawing, ShapesFarBeyondTheCanvasFinishAndCoverIt) {
    fill_canvas(0x123456);
    gfx_circle(RED, 0, 0, 1000000);
    EXPECT_EQ(canvas_pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(canvas_pixel(600, 539), 0xFF0000u);
    gfx_circle(BLUE, INT_MAX, INT_MIN, INT_MAX);
    gfx_oval(RED, INT_MIN, INT_MIN, INT_MAX, INT_MAX, 3);
    gfx_rectangle(BLUE, INT_MIN, INT_MAX, INT_MAX, INT_MIN, 0);
    EXPECT_EQ(logical_pixel(0, 0), 0x0000FFu);
    EXPECT_EQ(changed_box(0x0000FF).right, -1);
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
