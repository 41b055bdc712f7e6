// Painting: when WM_PAINT comes, what BeginPaint erases, and what reaches the backend.
#include "platform/surface.h"
#include "user_test_support.h"

using namespace user_test;

class Paint : public UserTest {};

namespace {

uint32_t background_pixel() {
    return platform::pixel_from_colorref(BACKGROUND);
}

// Draws one pixel the way the GDI side does: into the client area, then marks it changed.
void put_pixel(HWND window, int x, int y, uint32_t pixel) {
    ClientArea area;
    if (!client_area(window, area) || x < 0 || x >= area.width || y < 0 || y >= area.height) return;
    area.at(x, y) = pixel;
    area.changed();
}

} // namespace

TEST_F(Paint, AShownWindowGetsOnePaint) {
    HWND window = create("W");
    EXPECT_EQ(pump(), 0); // hidden: nothing to paint
    ShowWindow(window, SW_SHOW);
    pump();
    EXPECT_EQ(count_of(window, WM_PAINT), 1);
    EXPECT_EQ(count_of(window, WM_ERASEBKGND), 1);
    EXPECT_EQ(pump(), 0); // BeginPaint validated it
}

TEST_F(Paint, InvalidateRectAsksForAnotherPaint) {
    HWND window = create_shown("W");
    pump();
    received.clear();
    RECT part{10, 10, 20, 20};
    InvalidateRect(window, &part, FALSE);
    RECT other{30, 5, 40, 15};
    InvalidateRect(window, &other, FALSE);
    PAINTSTRUCT ps{};
    override_handling = [&](HWND w, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message != WM_PAINT) return std::nullopt;
        BeginPaint(w, &ps);
        EndPaint(w, &ps);
        return 0;
    };
    pump();
    EXPECT_EQ(count_of(window, WM_PAINT), 1);
    EXPECT_EQ(count_of(window, WM_ERASEBKGND), 0); // no erase asked for
    EXPECT_EQ(ps.rcPaint.left, 10);
    EXPECT_EQ(ps.rcPaint.top, 5);
    EXPECT_EQ(ps.rcPaint.right, 40);
    EXPECT_EQ(ps.rcPaint.bottom, 20);
    EXPECT_FALSE(ps.fErase);

    // An area wholly outside the client area invalidates nothing.
    RECT outside{1000, 1000, 1010, 1010};
    InvalidateRect(window, &outside, TRUE);
    EXPECT_EQ(pump(), 0);
}

TEST_F(Paint, ValidateRectCancelsThePaint) {
    HWND window = create_shown("W");
    pump();
    InvalidateRect(window, nullptr, TRUE);
    RECT small{0, 0, 5, 5};
    ValidateRect(window, &small); // does not cover the update rectangle
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
    ValidateRect(window, nullptr);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
}

TEST_F(Paint, BeginPaintErasesWithTheClassBrush) {
    HWND window = create_shown("W");
    pump(); // the first paint erases everything
    int shown = display_of("W");
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE); // presents
    const platform::Surface &presented = display->window(shown)->presented;
    ASSERT_EQ(presented.width, 595);
    ASSERT_EQ(presented.height, 501);
    EXPECT_EQ(presented.at(0, 0), background_pixel());
    EXPECT_EQ(presented.at(594, 500), background_pixel());

    // Draw a black pixel, erase part of the window: only the update area is erased.
    put_pixel(window, 5, 5, 0);
    put_pixel(window, 50, 50, 0);
    RECT part{0, 0, 10, 10};
    InvalidateRect(window, &part, TRUE);
    PAINTSTRUCT ps{};
    ASSERT_NE(BeginPaint(window, &ps), nullptr);
    EXPECT_FALSE(ps.fErase); // the background was erased
    EndPaint(window, &ps);
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    EXPECT_EQ(presented.at(5, 5), background_pixel());
    EXPECT_EQ(presented.at(50, 50), 0u);
}

TEST_F(Paint, AClassWithoutBrushLeavesErasingToTheProgram) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = recording_proc;
    wc.lpszClassName = "Bare";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, "Bare", "Bare", WS_CAPTION, 0, 0, 100, 100, nullptr, nullptr,
                                  nullptr, nullptr);
    ShowWindow(window, SW_SHOW);
    PAINTSTRUCT ps{};
    BeginPaint(window, &ps);
    EXPECT_TRUE(ps.fErase);
    EndPaint(window, &ps);
}

TEST_F(Paint, OnlyChangedSurfacesArePresentedOncePerCall) {
    HWND a = create_shown("A");
    HWND b = create_shown("B");
    pump();
    const virtual_display::Window *shown_a = display->window(display_of("A"));
    const virtual_display::Window *shown_b = display->window(display_of("B"));
    int a_count = shown_a->present_count, b_count = shown_b->present_count;
    EXPECT_GE(a_count, 1);

    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
    EXPECT_EQ(shown_a->present_count, a_count);
    EXPECT_EQ(shown_b->present_count, b_count);

    // Many drawing calls into one window: one presentation at the next look at the queue.
    for (int i = 0; i < 10; i++) put_pixel(a, i, 0, 0xFF0000);
    EXPECT_EQ(shown_a->present_count, a_count);
    PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
    EXPECT_EQ(shown_a->present_count, a_count + 1);
    EXPECT_EQ(shown_b->present_count, b_count);
    EXPECT_EQ(shown_a->presented.at(9, 0), 0xFF0000u);

    // WaitMessage presents too, before it sleeps.
    put_pixel(b, 0, 0, 0x0000FF);
    display->set_idle_handler([&](display::Time) { display->type('x'); });
    WaitMessage();
    EXPECT_EQ(shown_b->present_count, b_count + 1);
    EXPECT_EQ(shown_b->presented.at(0, 0), 0x0000FFu);
}

TEST_F(Paint, AHiddenWindowIsNotDrawnIntoNorPresented) {
    HWND window = create_shown("W");
    pump();
    const virtual_display::Window *shown = display->window(display_of("W"));
    int count = shown->present_count;
    ShowWindow(window, SW_HIDE);
    put_pixel(window, 1, 1, 0);
    InvalidateRect(window, nullptr, TRUE);
    EXPECT_EQ(pump(), 0); // no WM_PAINT while hidden
    EXPECT_EQ(shown->present_count, count);
    EXPECT_EQ(shown->presented.at(1, 1), background_pixel());
}

TEST_F(Paint, ExposedWindowsArePaintedAgain) {
    HWND window = create_shown("W");
    pump();
    received.clear();
    display->expose(display_of("W"));
    pump();
    EXPECT_EQ(count_of(window, WM_PAINT), 1);
}

TEST_F(Paint, UpdateWindowPaintsAtOnce) {
    HWND window = create_shown("W");
    UpdateWindow(window);
    EXPECT_EQ(count_of(window, WM_PAINT), 1);
    UpdateWindow(window); // valid now: nothing sent
    EXPECT_EQ(count_of(window, WM_PAINT), 1);
}

TEST_F(Paint, ReleaseDCChecksTheWindow) {
    HWND a = create_shown("A");
    HWND b = create_shown("B");
    HDC dc = GetDC(a);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(ReleaseDC(b, dc), 0);
    EXPECT_EQ(ReleaseDC(a, dc), 1);
    EXPECT_EQ(ReleaseDC(a, dc), 0);

    // A DC outlives its window: it draws nothing, measures text, and is released as before,
    // while a window made afterwards (perhaps in the same slot) keeps its pixels.
    HDC kept = GetDC(b);
    ASSERT_TRUE(DestroyWindow(b));
    HWND c = create_shown("C");
    pump();
    EXPECT_FALSE(Rectangle(kept, 0, 0, 50, 50));
    EXPECT_EQ(GetPixel(kept, 1, 1), CLR_INVALID);
    SIZE size;
    EXPECT_TRUE(GetTextExtentPointA(kept, "abc", 3, &size));
    EXPECT_EQ(display->window(display_of("C"))->presented.at(1, 1), background_pixel());
    EXPECT_EQ(ReleaseDC(c, kept), 0);
    EXPECT_EQ(ReleaseDC(b, kept), 1);
}
