// The renderer: records into canvas pixels, erasing, and presenting.
#include "package_test.h"

#include <climits>

namespace {

class Render : public PackageTest {
  protected:
    void SetUp() override {
        PackageTest::SetUp();
        open();
        fill_canvas(BACKGROUND);
        canvas_dirty = 0;
    }
    static constexpr uint32_t BACKGROUND = 0x123456;
    static constexpr uint32_t RED_PIXEL = 0xFF0000;

    void render(int shape, int width, int x1, int y1, int x2, int y2, int x3 = 0, int y3 = 0) {
        DrawRecord record = {shape, RED, width, x1, y1, x2, y2, x3, y3, nullptr};
        render_record(&record);
    }
};

TEST_F(Render, RectangleCoversBothCornersInclusive) {
    origin_x = 297;
    origin_y = 250;
    render(SHAPE_RECTANGLE, 0, -10, 10, 10, -10);
    EXPECT_EQ(changed_box(BACKGROUND).left, 287);
    EXPECT_EQ(changed_box(BACKGROUND).top, 240);
    EXPECT_EQ(changed_box(BACKGROUND).right, 307);
    EXPECT_EQ(changed_box(BACKGROUND).bottom, 260);
    for (int y = 240; y <= 260; y++)
        for (int x = 287; x <= 307; x++) ASSERT_EQ(canvas_pixel(x, y), RED_PIXEL) << x << "," << y;
}

TEST_F(Render, FilledBoxPaintsEveryPixelOutlinedLeavesTheInside) {
    render(SHAPE_RECTANGLE, 3, -20, 20, 20, -20);
    EXPECT_EQ(logical_pixel(0, 0), BACKGROUND);
    EXPECT_EQ(logical_pixel(-20, 0), RED_PIXEL);
    EXPECT_EQ(logical_pixel(0, -20), RED_PIXEL);
    render(SHAPE_OVAL, 2, -20, 20, 20, -20);
    EXPECT_EQ(logical_pixel(0, 0), BACKGROUND);
    render(SHAPE_RECTANGLE, 0, -20, 20, 20, -20);
    for (int y = -20; y <= 20; y++)
        for (int x = -20; x <= 20; x++) ASSERT_EQ(logical_pixel(x, y), RED_PIXEL);
}

TEST_F(Render, TriangleAndLineLandOnTheirMappedPoints) {
    render(SHAPE_TRIANGLE, 0, -30, -30, 30, -30, 0, 30);
    EXPECT_EQ(logical_pixel(0, 0), RED_PIXEL);
    EXPECT_EQ(logical_pixel(0, 29), RED_PIXEL);
    EXPECT_EQ(logical_pixel(0, 32), BACKGROUND);
    fill_canvas(BACKGROUND);
    // A one-pixel line leaves out its end point.
    render(SHAPE_LINE, 1, 0, 100, 10, 100);
    EXPECT_EQ(logical_pixel(0, 100), RED_PIXEL);
    EXPECT_EQ(logical_pixel(9, 100), RED_PIXEL);
    EXPECT_EQ(logical_pixel(10, 100), BACKGROUND);
    render(SHAPE_PIXEL, 0, 5, 5, 0, 0);
    EXPECT_EQ(logical_pixel(5, 5), RED_PIXEL);
}

TEST_F(Render, RadiusZeroCircleAndUnknownShapeDrawNothingButMarkTheCanvas) {
    gfx_circle(RED, 0, 0, 0);
    EXPECT_EQ(changed_box(BACKGROUND).right, -1);
    EXPECT_EQ(canvas_dirty, 1);
    canvas_dirty = 0;
    render(7, 0, -10, 10, 10, -10);
    EXPECT_EQ(changed_box(BACKGROUND).right, -1);
    EXPECT_EQ(canvas_dirty, 1);
}

TEST_F(Render, ErasedCanvasIsWhiteWithABlackBorder) {
    gfx_clear();
    EXPECT_EQ(canvas_pixel(0, 100), 0x000000u);
    EXPECT_EQ(canvas_pixel(600, 100), 0x000000u);
    EXPECT_EQ(canvas_pixel(100, 0), 0x000000u);
    EXPECT_EQ(canvas_pixel(100, 539), 0x000000u);
    EXPECT_EQ(canvas_pixel(1, 1), 0xFFFFFFu);
    EXPECT_EQ(canvas_pixel(599, 538), 0xFFFFFFu);
    // The window shows the top-left part: the right and bottom border lines are cut off.
    await_idle();
    const platform::Surface &window = shown(graphics_id());
    int menu = GetSystemMetrics(SM_CYMENU);
    EXPECT_EQ(window.at(594, menu + 1), 0xFFFFFFu);
    EXPECT_EQ(window.at(1, menu + 480), 0xFFFFFFu);
    EXPECT_EQ(window.at(0, menu + 480), 0x000000u);
    EXPECT_EQ(window.at(300, menu), 0x000000u);
}

TEST_F(Render, AQuitMessageLeavesTheCanvasUnshown) {
    gfx_circle(RED, 0, 0, 10);
    PostQuitMessage(0);
    while (pending_kind != EVENT_QUIT && pump_message()) {
    }
    EXPECT_EQ(pending_kind, EVENT_QUIT);
    EXPECT_EQ(canvas_dirty, 1);
}

TEST_F(Render, ExtremeCoordinatesFinishAndClip) {
    gfx_circle(RED, 0, 0, 1000000);
    EXPECT_EQ(canvas_pixel(0, 0), RED_PIXEL);
    EXPECT_EQ(canvas_pixel(600, 539), RED_PIXEL);
    fill_canvas(BACKGROUND);
    gfx_circle(BLUE, INT_MAX, INT_MIN, INT_MAX);
    gfx_rectangle(BLUE, INT_MIN, INT_MAX, INT_MAX, INT_MIN, 0);
    EXPECT_EQ(logical_pixel(0, 0), 0x0000FFu);
    gfx_line(GREEN, INT_MIN, INT_MIN, INT_MAX, INT_MAX, 5);
    gfx_triangle(RED, INT_MIN, 0, INT_MAX, 0, 0, INT_MAX, 0);
    gfx_oval(RED, INT_MIN, INT_MIN, INT_MAX, INT_MAX, 3);
    gfx_text(RED, INT_MAX, INT_MIN, 127, "far away");
    SUCCEED();
}

TEST_F(Render, EmptyTextAndATrailingNewlineDrawNothingExtra) {
    gfx_text(BLACK, 0, 0, 12, "");
    EXPECT_EQ(changed_box(BACKGROUND).right, -1);
    gfx_text(BLACK, 0, 0, 12, "abc");
    RECT one = changed_box(BACKGROUND);
    fill_canvas(BACKGROUND);
    gfx_text(BLACK, 0, 0, 12, "abc\n");
    RECT with_newline = changed_box(BACKGROUND);
    EXPECT_EQ(one.left, with_newline.left);
    EXPECT_EQ(one.right, with_newline.right);
    EXPECT_EQ(one.bottom, with_newline.bottom);
}

} // namespace
