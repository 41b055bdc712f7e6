// The renderer at record level, for what no drawing call shows: the pixel record, unknown
// shapes, the canvas's dirty mark, and what reaches the window. Where records land is the
// drawing-call suite's (drawing_calls_test.cpp), which also runs under Wine.
#include "package_test.h"

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

TEST_F(Render, APixelRecordSetsOnePixel) {
    render(SHAPE_PIXEL, 0, 5, 5, 0, 0);
    EXPECT_EQ(logical_pixel(5, 5), RED_PIXEL);
    RECT box = changed_box(BACKGROUND);
    EXPECT_EQ(box.left, box.right);
    EXPECT_EQ(box.top, box.bottom);
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

TEST_F(Render, TheWindowShowsTheErasedCanvasWithoutItsRightAndBottomBorder) {
    gfx_clear();
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

} // namespace
