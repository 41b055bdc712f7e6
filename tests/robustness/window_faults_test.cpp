// Windows and menus gone from under the program: the text window closed by the user before
// logging is switched on, the Run menu destroyed under the package, and every operation of the
// stand-in given handles that name nothing (destroyed, of another kind, or never made).
#include "demo_case.h"

#include "platform/kernel/global_memory.h"

#include <cstdint>
#include <fstream>

namespace {

class WindowFaults : public DemoCase {};

TEST_F(WindowFaults, TheTextWindowClosedAndThenLoggingSwitchedOn) {
    at(100, [this] { display->close(text_id()); });
    int text_gone = -1, logging_result = -1;
    at(200, [&] { text_gone = text_id() == 0 && !IsWindow(text_window); });
    press(300, "ctrl+l");
    // A program's own call shows the text window when logging goes on: with the window gone,
    // that is a no-op.
    at(400, [&] { logging_result = gfx_logging(1); });
    click(500, ADD_BUG_X, ADD_BUG_Y);
    std::string log;
    at(1000, [&] { log = take_log(); });
    run();
    EXPECT_EQ(text_gone, 1);
    EXPECT_EQ(logging_result, 1);
    EXPECT_EQ(text_id(), 0); // not made again
    // Frames went on, logged as usual, and the click was answered.
    EXPECT_GE(frames_in(log), 6);
    EXPECT_NE(log.find("black text at (230,202), \"2\"\n"), std::string::npos);
}

TEST_F(WindowFaults, KeysTypedToTheTextWindowAfterItClosed) {
    press(50, "ctrl+l");
    at(100, [this] { display->focus(text_id()); });
    at(150, [this] { display->close(text_id()); });
    // The keyboard goes to the graphics window again once the text window is gone: Ctrl+L
    // switches logging off.
    press(200, "ctrl+l");
    std::string log;
    int logging_after = -1;
    at(260, [&] {
        log = take_log();
        logging_after = logging_on;
    });
    press(300, "ctrl+l");
    at(600, [] {});
    run();
    EXPECT_GE(frames_in(log), 2);
    EXPECT_EQ(logging_after, 0);
}

TEST_F(WindowFaults, TheRunMenuDestroyedUnderThePackage) {
    at(100, [] { DestroyMenu(GetMenu(graphics_window)); });
    int stale = -1;
    at(150, [&] { stale = GetMenuState(run_menu, CMD_LOGGING, MF_BYCOMMAND) == UINT(-1); });
    // The commands still work by their keys; only their check marks have nowhere to go.
    press(200, "ctrl+l");
    press(210, "ctrl+r");
    click(300, 0, 0);
    press(450, "ctrl+r");
    std::string log;
    at(460, [&] { log = take_log(); });
    at(700, [] {});
    run();
    EXPECT_EQ(stale, 1);
    EXPECT_GE(frames_in(log), 2);
    std::ifstream script("KORVA.SCR");
    std::string first, second;
    std::getline(script, first);
    std::getline(script, second);
    EXPECT_EQ(first, "KORVA_PERIODIC(1);");
    EXPECT_EQ(second, "KORVA_MOUSE(0, 0);");
}

// ---- The stand-in's operations with handles that name nothing -----------------------------

LRESULT CALLBACK plain_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcA(window, message, wparam, lparam);
}

class StaleHandles : public ::testing::Test {
  protected:
    void SetUp() override {
        display = &harness::fresh_start();
        WNDCLASSA window_class = {};
        window_class.lpfnWndProc = plain_procedure;
        window_class.lpszClassName = "Plain";
        window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        ASSERT_NE(RegisterClassA(&window_class), 0);
    }
    static HWND make_window(const char *title) {
        return CreateWindowExA(0, "Plain", title, WS_OVERLAPPEDWINDOW, 10, 10, 200, 150, nullptr,
                               nullptr, nullptr, nullptr);
    }
    // Values that are no handle of any kind, and a handle of another kind.
    static std::vector<uintptr_t> bogus_values() {
        return {0x1,         0xDEADBEEF,
                UINTPTR_MAX, uintptr_t(1) << 63,
                0x01000001,  reinterpret_cast<uintptr_t>(GetStockObject(BLACK_PEN))};
    }
    virtual_display::Display *display = nullptr;
};

// Every window operation refuses a window that no longer exists, also when a new window has
// taken its slot, and leaves that new window alone.
TEST_F(StaleHandles, WindowOperations) {
    HWND gone = make_window("gone");
    ASSERT_TRUE(DestroyWindow(gone));
    HWND live = make_window("live");
    ShowWindow(live, SW_SHOW);
    std::vector<HWND> handles = {gone};
    for (uintptr_t value : bogus_values()) handles.push_back(reinterpret_cast<HWND>(value));
    HMENU menu = CreateMenu();
    for (HWND w : handles) {
        SCOPED_TRACE(reinterpret_cast<uintptr_t>(w));
        RECT rect = {1, 2, 3, 4};
        PAINTSTRUCT paint = {};
        MSG message = {};
        EXPECT_FALSE(IsWindow(w));
        EXPECT_FALSE(IsWindowVisible(w));
        EXPECT_FALSE(ShowWindow(w, SW_SHOW));
        EXPECT_FALSE(UpdateWindow(w));
        EXPECT_FALSE(GetClientRect(w, &rect));
        EXPECT_FALSE(GetWindowRect(w, &rect));
        EXPECT_FALSE(SetWindowTextA(w, "x"));
        EXPECT_FALSE(MoveWindow(w, 0, 0, 50, 50, TRUE));
        EXPECT_EQ(GetDC(w), nullptr);
        EXPECT_EQ(BeginPaint(w, &paint), nullptr);
        EndPaint(w, &paint); // always succeeds, as on Windows
        EXPECT_FALSE(InvalidateRect(w, nullptr, TRUE));
        EXPECT_FALSE(ValidateRect(w, nullptr));
        EXPECT_EQ(SetTimer(w, 1, 100, nullptr), 0u);
        EXPECT_FALSE(KillTimer(w, 1));
        EXPECT_FALSE(PeekMessageA(&message, w, 0, 0, PM_REMOVE));
        EXPECT_EQ(GetMessageA(&message, w, 0, 0), -1);
        EXPECT_EQ(SendMessageA(w, WM_CLOSE, 0, 0), 0);
        EXPECT_FALSE(PostMessageA(w, WM_CLOSE, 0, 0));
        EXPECT_EQ(DefWindowProcA(w, WM_CLOSE, 0, 0), 0);
        EXPECT_FALSE(SetMenu(w, menu));
        EXPECT_EQ(GetMenu(w), nullptr);
        EXPECT_FALSE(DrawMenuBar(w));
        EXPECT_EQ(ReleaseDC(w, nullptr), 0);
        EXPECT_FALSE(DestroyWindow(w));
        message.hwnd = w;
        message.message = WM_KEYDOWN;
        message.wParam = 'A';
        TranslateMessage(&message);
        EXPECT_EQ(DispatchMessageA(&message), 0);
    }
    // The stale handle's failed calls did nothing to the window that took its place.
    EXPECT_TRUE(IsWindowVisible(live));
    RECT outer = {};
    GetWindowRect(live, &outer);
    EXPECT_EQ(outer.left, 10);
    EXPECT_EQ(outer.right - outer.left, 200);
    // A focus given to a stale window is refused; the live window keeps it.
    EXPECT_EQ(SetFocus(gone), nullptr);
    EXPECT_EQ(GetFocus(), live);
}

TEST_F(StaleHandles, MenuOperations) {
    HMENU gone = CreatePopupMenu();
    ASSERT_TRUE(AppendMenuA(gone, MF_STRING, 1, "&One"));
    ASSERT_TRUE(DestroyMenu(gone));
    HMENU live = CreatePopupMenu();
    AppendMenuA(live, MF_STRING, 1, "&One");
    HWND window = make_window("menu");
    std::vector<HMENU> handles = {gone};
    for (uintptr_t value : bogus_values()) handles.push_back(reinterpret_cast<HMENU>(value));
    for (HMENU m : handles) {
        SCOPED_TRACE(reinterpret_cast<uintptr_t>(m));
        EXPECT_FALSE(AppendMenuA(m, MF_STRING, 2, "&Two"));
        EXPECT_EQ(CheckMenuItem(m, 1, MF_CHECKED), DWORD(-1));
        EXPECT_EQ(GetMenuState(m, 1, MF_BYCOMMAND), UINT(-1));
        EXPECT_FALSE(DestroyMenu(m));
        // A stale menu as a pop-up entry or a window's bar is refused too.
        EXPECT_FALSE(AppendMenuA(live, MF_POPUP, reinterpret_cast<UINT_PTR>(m), "&Sub"));
        EXPECT_FALSE(SetMenu(window, m));
    }
    EXPECT_EQ(GetMenu(window), nullptr);
    EXPECT_EQ(GetMenuState(live, 1, MF_BYCOMMAND), 0u);
    EXPECT_EQ(GetMenuState(live, 0, MF_BYPOSITION), 0u);
    EXPECT_EQ(GetMenuState(live, 1, MF_BYPOSITION), UINT(-1)); // only the one entry
}

// A window whose menu bar is destroyed while attached keeps working: the bar it shows names
// nothing, and every later drawing and input is handled as for a window without a bar.
TEST_F(StaleHandles, AMenuBarDestroyedWhileAttached) {
    HWND window = make_window("bar");
    HMENU bar = CreateMenu();
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 1, "&One");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "&Run");
    ASSERT_TRUE(SetMenu(window, bar));
    ShowWindow(window, SW_SHOW);
    ASSERT_TRUE(DestroyMenu(bar));
    EXPECT_EQ(GetMenuState(popup, 1, MF_BYCOMMAND), UINT(-1)); // destroyed with its bar
    DrawMenuBar(window);
    InvalidateRect(window, nullptr, TRUE);
    int id = display->find_window("bar");
    display->click(id, 20, 5);
    harness::press_keys(*display, "f10");
    harness::press_keys(*display, "alt+r");
    harness::press_keys(*display, "return");
    MSG message;
    int taken = 0;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) && taken < 1000) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
        taken++;
    }
    EXPECT_LT(taken, 1000);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(SetMenu(window, nullptr));
}

TEST_F(StaleHandles, DrawingOperations) {
    HWND window = make_window("drawing");
    HDC screen = GetDC(window);
    HDC gone_dc = CreateCompatibleDC(screen);
    ASSERT_TRUE(DeleteDC(gone_dc));
    HPEN gone_pen = CreatePen(PS_SOLID, 3, RGB(1, 2, 3));
    HBRUSH gone_brush = CreateSolidBrush(RGB(1, 2, 3));
    HFONT gone_font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    HBITMAP gone_bitmap = CreateCompatibleBitmap(screen, 8, 8);
    for (HGDIOBJ object :
         {HGDIOBJ(gone_pen), HGDIOBJ(gone_brush), HGDIOBJ(gone_font), HGDIOBJ(gone_bitmap)})
        ASSERT_TRUE(DeleteObject(object));

    // A live DC to select stale objects into: the selection is refused and its own stay.
    HDC live = CreateCompatibleDC(screen);
    HBITMAP image = CreateCompatibleBitmap(screen, 16, 16);
    SelectObject(live, image);
    SetPixel(live, 1, 1, RGB(9, 9, 9));
    for (HGDIOBJ object : {HGDIOBJ(gone_pen), HGDIOBJ(gone_brush), HGDIOBJ(gone_font),
                           HGDIOBJ(gone_bitmap), HGDIOBJ(gone_dc)}) {
        EXPECT_EQ(SelectObject(live, object), nullptr);
        EXPECT_FALSE(DeleteObject(object));
    }
    EXPECT_EQ(GetPixel(live, 1, 1), RGB(9, 9, 9));

    std::vector<HDC> handles = {gone_dc};
    for (uintptr_t value : bogus_values()) handles.push_back(reinterpret_cast<HDC>(value));
    POINT triangle[3] = {{0, 0}, {5, 0}, {0, 5}};
    for (HDC dc : handles) {
        SCOPED_TRACE(reinterpret_cast<uintptr_t>(dc));
        TEXTMETRICA metrics = {};
        SIZE size = {};
        EXPECT_EQ(SelectObject(dc, GetStockObject(BLACK_PEN)), nullptr);
        EXPECT_FALSE(Polygon(dc, triangle, 3));
        EXPECT_FALSE(Rectangle(dc, 0, 0, 5, 5));
        EXPECT_FALSE(Ellipse(dc, 0, 0, 5, 5));
        EXPECT_FALSE(MoveToEx(dc, 1, 1, nullptr));
        EXPECT_FALSE(LineTo(dc, 4, 4));
        EXPECT_EQ(SetPixel(dc, 1, 1, 0), CLR_INVALID);
        EXPECT_EQ(GetPixel(dc, 1, 1), CLR_INVALID);
        EXPECT_FALSE(BitBlt(dc, 0, 0, 5, 5, live, 0, 0, SRCCOPY));
        EXPECT_FALSE(BitBlt(live, 0, 0, 5, 5, dc, 0, 0, SRCCOPY));
        EXPECT_FALSE(ScrollDC(dc, 0, -1, nullptr, nullptr, nullptr, nullptr));
        EXPECT_EQ(SetTextColor(dc, 0), CLR_INVALID);
        EXPECT_EQ(SetBkColor(dc, 0), CLR_INVALID);
        EXPECT_EQ(SetBkMode(dc, TRANSPARENT), 0);
        EXPECT_FALSE(GetTextMetricsA(dc, &metrics));
        EXPECT_FALSE(GetTextExtentPointA(dc, "abc", 3, &size));
        EXPECT_FALSE(TextOutA(dc, 0, 0, "abc", 3));
        EXPECT_FALSE(DeleteDC(dc));
    }
    EXPECT_EQ(GetPixel(live, 1, 1), RGB(9, 9, 9));
    DeleteDC(live);
    DeleteObject(image);
    EXPECT_EQ(ReleaseDC(window, screen), 1);
}

TEST_F(StaleHandles, MemoryBlocks) {
    HGLOBAL gone = GlobalAlloc(GMEM_MOVEABLE, 16);
    ASSERT_EQ(GlobalFree(gone), nullptr);
    HGLOBAL live = GlobalAlloc(GMEM_MOVEABLE, 16);
    std::vector<HGLOBAL> handles = {gone};
    for (uintptr_t value : bogus_values()) handles.push_back(reinterpret_cast<HGLOBAL>(value));
    for (HGLOBAL block : handles) {
        SCOPED_TRACE(reinterpret_cast<uintptr_t>(block));
        EXPECT_EQ(GlobalLock(block), nullptr);
        EXPECT_FALSE(GlobalUnlock(block));
        EXPECT_EQ(GlobalSize(block), 0u);
        EXPECT_EQ(GlobalFree(block), block);
    }
    EXPECT_EQ(GlobalSize(live), 16u);
    EXPECT_EQ(kernel::live_blocks(), 1);
}

} // namespace
