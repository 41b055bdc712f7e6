// Window classes and windows: rectangles, the creation and destruction messages, showing, focus,
// stale handles.
#include "platform/user/nonclient.h"
#include "user_test_support.h"

using namespace user_test;

namespace {

SIZE client_size(HWND window) {
    RECT r{-1, -1, -1, -1};
    EXPECT_TRUE(GetClientRect(window, &r));
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    return SIZE{r.right, r.bottom};
}

} // namespace

class Windows : public UserTest {};

TEST_F(Windows, ClientRectanglesFollowTheEmulatedMetrics) {
    HWND graphics = create("Graphics", WS_CAPTION | WS_SYSMENU, 0, 0, 601, 540);
    SIZE size = client_size(graphics);
    EXPECT_EQ(size.cx, 595);
    EXPECT_EQ(size.cy, 501);

    HWND text = create("Text", WS_OVERLAPPEDWINDOW, 0, 513, 1024, 256);
    size = client_size(text);
    EXPECT_EQ(size.cx, 1016);
    EXPECT_EQ(size.cy, 215);

    RECT outer;
    ASSERT_TRUE(GetWindowRect(text, &outer));
    EXPECT_EQ(outer.left, 0);
    EXPECT_EQ(outer.top, 513);
    EXPECT_EQ(outer.right, 1024);
    EXPECT_EQ(outer.bottom, 769);

    // The backend window holds the content only, placed inside the emulated frame and caption.
    const virtual_display::Window *shown = display->window(display_of("Text"));
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->placement.x, 0);
    EXPECT_EQ(shown->placement.y, 513);
    EXPECT_EQ(shown->placement.content_x, 4);
    EXPECT_EQ(shown->placement.content_y, 37);
    EXPECT_EQ(shown->placement.width, 1016);
    EXPECT_EQ(shown->placement.height, 215);
    EXPECT_TRUE(shown->resizable);
    EXPECT_FALSE(display->window(display_of("Graphics"))->resizable);
}

TEST_F(Windows, MenuBarTakesItsRowsFromTheClientArea) {
    int width = 0, height = 0;
    user::client_size_for(WS_CAPTION | WS_SYSMENU, true, 601, 540, width, height);
    EXPECT_EQ(width, 595);
    EXPECT_EQ(height, 481);
    user::client_size_for(WS_CAPTION | WS_SYSMENU, false, 4, 20, width, height);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 0);
}

TEST_F(Windows, SystemMetrics) {
    virtual_display::install(800, 600);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 600);
    EXPECT_EQ(GetSystemMetrics(SM_CXFIXEDFRAME), 3);
    EXPECT_EQ(GetSystemMetrics(SM_CYFIXEDFRAME), 3);
    EXPECT_EQ(GetSystemMetrics(SM_CXSIZEFRAME), 4);
    EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 33);
    EXPECT_EQ(GetSystemMetrics(SM_CYMENU), 20);
    EXPECT_EQ(GetSystemMetrics(9999), 0);
}

TEST_F(Windows, CreationSendsItsMessagesBeforeReturning) {
    HWND seen_in_create = nullptr;
    std::string name_in_create;
    override_handling = [&](HWND window, UINT message, WPARAM,
                            LPARAM lparam) -> std::optional<LRESULT> {
        if (message == WM_CREATE) {
            seen_in_create = window;
            auto *create = reinterpret_cast<const CREATESTRUCTA *>(lparam);
            name_in_create = create->lpszName;
            EXPECT_EQ(create->cx, 601);
            EXPECT_EQ(create->cy, 540);
            EXPECT_EQ(create->x, 10);
            EXPECT_EQ(create->y, 20);
        }
        return std::nullopt;
    };
    HWND window = create("Graphics", WS_CAPTION | WS_SYSMENU, 10, 20, 601, 540);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(seen_in_create, window);
    EXPECT_EQ(name_in_create, "Graphics");
    EXPECT_EQ(messages_of(window), (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_SIZE, WM_MOVE}));
    const Received &size = received[2];
    EXPECT_EQ(size.wparam, WPARAM(SIZE_RESTORED));
    EXPECT_EQ(LOWORD(size.lparam), 595);
    EXPECT_EQ(HIWORD(size.lparam), 501);
    const Received &move = received[3];
    EXPECT_EQ(LOWORD(move.lparam), 10 + 3);
    EXPECT_EQ(HIWORD(move.lparam), 20 + 3 + 33);
    EXPECT_FALSE(IsWindowVisible(window));
}

TEST_F(Windows, CreationCanBeRefused) {
    EXPECT_EQ(
        CreateWindowExA(0, "NoSuchClass", "x", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
        nullptr);
    override_handling = [](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_CREATE) return -1;
        return std::nullopt;
    };
    EXPECT_EQ(create("Refused"), nullptr);
    EXPECT_EQ(display_of("Refused"), 0); // its backend window went with it
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received.back().message, UINT(WM_NCDESTROY));
}

TEST_F(Windows, ClassNamesAreCaseInsensitiveAndRegisteredOnce) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = recording_proc;
    wc.lpszClassName = "TESTCLASS";
    EXPECT_EQ(RegisterClassA(&wc), 0);
    wc.lpfnWndProc = nullptr;
    wc.lpszClassName = "Other";
    EXPECT_EQ(RegisterClassA(&wc), 0); // no procedure to dispatch to
    EXPECT_NE(
        CreateWindowExA(0, "testclass", "x", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
        nullptr);
}

TEST_F(Windows, DefaultPositionAndSize) {
    HWND window = create("Default", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 5, CW_USEDEFAULT, 5);
    RECT r;
    ASSERT_TRUE(GetWindowRect(window, &r));
    EXPECT_EQ(r.right - r.left, 768);
    EXPECT_EQ(r.bottom - r.top, 576);
}

TEST_F(Windows, DestroyWindowSendsDestroyAndLeavesAStaleHandle) {
    HWND window = create_shown("Doomed");
    int shown = display_of("Doomed");
    received.clear();
    EXPECT_TRUE(DestroyWindow(window));
    std::vector<UINT> sequence = messages_of(window, {WM_DESTROY, WM_NCDESTROY});
    EXPECT_EQ(sequence, (std::vector<UINT>{WM_DESTROY, WM_NCDESTROY}));
    EXPECT_FALSE(display->window(shown)->alive);
    EXPECT_EQ(GetFocus(), nullptr);

    // Every call ignores the stale handle; a new window in the same slot is not reached by it.
    HWND successor = create("Successor");
    ASSERT_NE(successor, window);
    received.clear();
    RECT r{};
    PAINTSTRUCT ps{};
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_FALSE(DestroyWindow(window));
    EXPECT_FALSE(ShowWindow(window, SW_SHOW));
    EXPECT_FALSE(UpdateWindow(window));
    EXPECT_FALSE(GetClientRect(window, &r));
    EXPECT_FALSE(GetWindowRect(window, &r));
    EXPECT_FALSE(MoveWindow(window, 1, 1, 50, 50, TRUE));
    EXPECT_FALSE(SetWindowTextA(window, "x"));
    EXPECT_EQ(SetFocus(window), nullptr);
    EXPECT_EQ(GetDC(window), nullptr);
    EXPECT_EQ(BeginPaint(window, &ps), nullptr);
    EXPECT_FALSE(InvalidateRect(window, nullptr, TRUE));
    EXPECT_FALSE(ValidateRect(window, nullptr));
    EXPECT_EQ(SetTimer(window, 1, 100, nullptr), 0u);
    EXPECT_FALSE(PostMessageA(window, WM_USER, 0, 0));
    EXPECT_EQ(SendMessageA(window, WM_USER, 0, 0), 0);
    MSG msg{window, WM_USER, 0, 0, 0, {0, 0}};
    EXPECT_EQ(DispatchMessageA(&msg), 0);
    EXPECT_FALSE(PeekMessageA(&msg, window, 0, 0, PM_REMOVE));
    EXPECT_TRUE(received.empty());
    EXPECT_TRUE(IsWindow(successor));
}

TEST_F(Windows, DestroyingDropsTheWindowsQueuedMessagesAndTimers) {
    HWND keep = create("Keep");
    HWND doomed = create("Doomed");
    PostMessageA(doomed, WM_USER, 1, 0);
    PostMessageA(keep, WM_USER, 2, 0);
    SetTimer(doomed, 7, 100, nullptr);
    DestroyWindow(doomed);
    display->advance(500);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, keep);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Windows, DestroyFromItsOwnDestroyHandlingIsNotRepeated) {
    override_handling = [](HWND window, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_DESTROY) DestroyWindow(window);
        return std::nullopt;
    };
    HWND window = create();
    DestroyWindow(window);
    EXPECT_EQ(count_of(window, WM_DESTROY), 1);
    EXPECT_EQ(count_of(window, WM_NCDESTROY), 1);
}

TEST_F(Windows, ShowWindowReturnsThePreviousVisibilityAndShowsTheBackendWindow) {
    HWND window = create("Shown");
    int shown = display_of("Shown");
    EXPECT_FALSE(ShowWindow(window, SW_SHOWDEFAULT));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(display->window(shown)->shown);
    EXPECT_TRUE(ShowWindow(window, 7)); // any non-zero command shows
    EXPECT_TRUE(ShowWindow(window, SW_HIDE));
    EXPECT_FALSE(display->window(shown)->shown);
    EXPECT_FALSE(ShowWindow(window, SW_HIDE));
}

TEST_F(Windows, TheLastShownWindowGetsTheFocus) {
    HWND text = create_shown("Text");
    HWND graphics = create_shown("Graphics");
    EXPECT_EQ(GetFocus(), graphics);
    EXPECT_EQ(SetFocus(text), graphics);
    EXPECT_EQ(messages_of(graphics, {WM_KILLFOCUS}).size(), 1u);
    EXPECT_EQ(GetFocus(), text);
    // Hiding the focus window gives the focus back to the one activated before it.
    ShowWindow(graphics, SW_HIDE);
    EXPECT_EQ(GetFocus(), text);
    ShowWindow(graphics, SW_SHOW);
    DestroyWindow(graphics);
    EXPECT_EQ(GetFocus(), text);
}

TEST_F(Windows, MoveWindowResizesTheClientAreaAndTheBackendWindow) {
    HWND window = create_shown("Moved");
    received.clear();
    EXPECT_TRUE(MoveWindow(window, 50, 60, 306, 139, TRUE));
    SIZE size = client_size(window);
    EXPECT_EQ(size.cx, 300);
    EXPECT_EQ(size.cy, 100);
    EXPECT_EQ(messages_of(window, {WM_MOVE, WM_SIZE}), (std::vector<UINT>{WM_MOVE, WM_SIZE}));
    const virtual_display::Window *shown = display->window(display_of("Moved"));
    EXPECT_EQ(shown->placement.x, 50);
    EXPECT_EQ(shown->placement.width, 300);
    EXPECT_EQ(shown->placement.height, 100);
    // Same place and size: nothing is sent.
    received.clear();
    MoveWindow(window, 50, 60, 306, 139, TRUE);
    EXPECT_TRUE(messages_of(window, {WM_MOVE, WM_SIZE}).empty());
}

TEST_F(Windows, UserResizeGivesANewClientSizeAndARepaint) {
    HWND window = create("Text", WS_OVERLAPPEDWINDOW, 0, 513, 1024, 256);
    ShowWindow(window, SW_SHOW);
    pump();
    received.clear();
    display->resize(display_of("Text"), 800, 300);
    pump();
    SIZE size = client_size(window);
    EXPECT_EQ(size.cx, 800);
    EXPECT_EQ(size.cy, 300);
    EXPECT_EQ(messages_of(window, {WM_SIZE, WM_PAINT}), (std::vector<UINT>{WM_SIZE, WM_PAINT}));
    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.right - outer.left, 808);
    EXPECT_EQ(outer.bottom - outer.top, 341);
}

TEST_F(Windows, SetWindowTextRenamesTheBackendWindow) {
    HWND window = create("Before");
    int shown = display_of("Before");
    EXPECT_TRUE(SetWindowTextA(window, "After"));
    EXPECT_EQ(display_of("After"), shown);
    EXPECT_TRUE(SetWindowTextA(window, nullptr));
    EXPECT_EQ(display->window(shown)->title, "");
}

TEST_F(Windows, StockIconAndCursorAreTokens) {
    HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
    EXPECT_NE(icon, nullptr);
    EXPECT_EQ(LoadIconA(nullptr, IDI_APPLICATION), icon);
    EXPECT_NE(LoadCursorA(nullptr, IDC_ARROW), nullptr);
    EXPECT_EQ(LoadCursorA(nullptr, "no such cursor"), nullptr);
}

TEST_F(Windows, WildSizesAreCutToTheLargestWindow) {
    HWND window = create("Huge", WS_CAPTION, 0, 0, 2000000000, -5);
    ASSERT_NE(window, nullptr);
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(r.right - r.left, 16384);
    EXPECT_EQ(r.bottom - r.top, 0);
    MoveWindow(window, 0, 0, 100, 1 << 30, FALSE);
    GetWindowRect(window, &r);
    EXPECT_EQ(r.bottom - r.top, 16384);
}
