// Opening the package: windows, their places and sizes, the canvas, painting and closing.
#include "package_test.h"

namespace {

using Windows = PackageTest;

TEST_F(Windows, OpenPlacesBothWindowsAndCentresTheOrigin) {
    open();
    RECT outer;
    GetWindowRect(graphics_window, &outer);
    EXPECT_EQ(outer.left, 0);
    EXPECT_EQ(outer.top, 0);
    EXPECT_EQ(outer.right - outer.left, 601);
    EXPECT_EQ(outer.bottom - outer.top, 540);
    RECT client;
    GetClientRect(graphics_window, &client);
    EXPECT_EQ(client.right, 595);
    EXPECT_EQ(client.bottom, 481);
    // An odd client size rounds the origin down.
    EXPECT_EQ(origin_x, 297);
    EXPECT_EQ(origin_y, 240);

    GetWindowRect(text_window, &outer);
    EXPECT_EQ(outer.left, 0);
    EXPECT_EQ(outer.top, 513);
    EXPECT_EQ(outer.right - outer.left, 1024);
    EXPECT_EQ(outer.bottom - outer.top, 256);
    EXPECT_TRUE(IsWindowVisible(graphics_window));
    EXPECT_TRUE(IsWindowVisible(text_window));
}

TEST_F(Windows, TextWindowTakesTheLowestThirdOfAnyScreen) {
    use_screen(1440, 900);
    open();
    RECT outer;
    GetWindowRect(text_window, &outer);
    EXPECT_EQ(outer.top, 601);
    EXPECT_EQ(outer.bottom - outer.top, 300);
    EXPECT_EQ(outer.right - outer.left, 1440);
}

TEST_F(Windows, AnEarlierInstanceSkipsRegistrationButStillOpens) {
    // The classes exist already, as they would for a second instance.
    open();
    HWND first = graphics_window;
    char command_line[] = "";
    EXPECT_EQ(gfx_open(nullptr, reinterpret_cast<HINSTANCE>(1), command_line, SW_SHOW), 1);
    EXPECT_NE(graphics_window, first);
    EXPECT_TRUE(IsWindow(graphics_window));
    EXPECT_NE(canvas.dc, nullptr);
}

// A display that can make only so many windows.
class FewWindowsDisplay : public virtual_display::Display {
  public:
    FewWindowsDisplay(int allowed) : Display(1024, 768), allowed_(allowed) {}
    int create_window(const std::string &title, const display::Placement &placement,
                      bool resizable) override {
        return allowed_-- > 0 ? Display::create_window(title, placement, resizable) : 0;
    }

  private:
    int allowed_;
};

TEST_F(Windows, WithoutItsWindowsTheProgramSaysWhyAndEnds) {
    const char *missing[] = {"KORVA Graphics", "KORVA Text"};
    for (int allowed : {0, 1}) {
        display::install(std::make_unique<FewWindowsDisplay>(allowed));
        EXPECT_EXIT(open(), testing::ExitedWithCode(1),
                    std::string("gfx_open: cannot create the window \"") + missing[allowed]);
    }
}

TEST_F(Windows, ShowTextWindowHidesOnlyOnZero) {
    open();
    show_text_window(0);
    EXPECT_FALSE(IsWindowVisible(text_window));
    show_text_window(7);
    EXPECT_TRUE(IsWindowVisible(text_window));
}

TEST_F(Windows, PaintCopiesTheCanvasEvenWhenNothingChanged) {
    open();
    gfx_clear();
    await_idle();
    ASSERT_EQ(canvas_dirty, 0);
    // Scribble on the window, then let it be repainted: the canvas comes back.
    HDC dc = GetDC(graphics_window);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HGDIOBJ old = SelectObject(dc, red);
    Rectangle(dc, 0, 0, 100, 100);
    SelectObject(dc, old);
    DeleteObject(red);
    ReleaseDC(graphics_window, dc);
    InvalidateRect(graphics_window, nullptr, TRUE);
    await_idle();
    EXPECT_EQ(canvas_dirty, 0);
    const platform::Surface &window = shown(graphics_id());
    int menu = GetSystemMetrics(SM_CYMENU);
    EXPECT_EQ(window.at(50, menu + 50), 0xFFFFFFu);
    EXPECT_EQ(window.at(0, menu + 50), 0x000000u); // the canvas's left border
}

TEST_F(Windows, ClosingTheGraphicsWindowEndsTheWait) {
    open();
    display->close(graphics_id());
    EXPECT_EQ(await().kind, EVENT_QUIT);
    EXPECT_FALSE(IsWindow(graphics_window));
}

TEST_F(Windows, ClosingTheTextWindowDestroysOnlyIt) {
    open();
    gfx_animate(ANIMATE_RUN);
    display->close(text_id());
    EXPECT_EQ(await().kind, EVENT_PERIODIC);
    EXPECT_FALSE(IsWindow(text_window));
    EXPECT_TRUE(IsWindow(graphics_window));
    // Logging goes on into the ring with nothing to draw on.
    gfx_log("still here\n");
    EXPECT_EQ(take_log(), "still here\n");
    EXPECT_EQ(log_next, 1);
}

TEST_F(Windows, AfterCloseDrawingAndPaintingAreHarmless) {
    open();
    gfx_close();
    EXPECT_EQ(window_dc, nullptr);
    gfx_circle(RED, 0, 0, 20);
    EXPECT_EQ(logical_pixel(0, 0), 0xFF0000u);
    InvalidateRect(graphics_window, nullptr, TRUE);
    display->close(graphics_id());
    EXPECT_EQ(await().kind, EVENT_QUIT);
}

} // namespace
