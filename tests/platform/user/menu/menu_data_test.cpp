// Menus as data: entries, check marks, states, stale handles, and attaching a bar to a window.
#include "user_test_support.h"

using namespace user_test;

class MenuData : public UserTest {};

namespace {

UINT_PTR as_id(HMENU menu) {
    return reinterpret_cast<UINT_PTR>(menu);
}

} // namespace

TEST_F(MenuData, EntriesKeepTheirFlagsInOrder) {
    HMENU menu = CreatePopupMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(AppendMenuA(menu, MF_STRING, 1, "&Animate\tCtrl+A"));
    EXPECT_TRUE(AppendMenuA(menu, MF_SEPARATOR, 0, nullptr));
    EXPECT_TRUE(AppendMenuA(menu, MF_CHECKED, 4, "&Logging"));
    EXPECT_TRUE(AppendMenuA(menu, MF_GRAYED, 9, "credit"));
    EXPECT_TRUE(AppendMenuA(menu, MF_DISABLED, 10, "disabled"));
    EXPECT_EQ(GetMenuState(menu, 0, MF_BYPOSITION), UINT(MF_STRING));
    EXPECT_EQ(GetMenuState(menu, 1, MF_BYPOSITION), UINT(MF_SEPARATOR));
    EXPECT_EQ(GetMenuState(menu, 2, MF_BYPOSITION), UINT(MF_CHECKED));
    EXPECT_EQ(GetMenuState(menu, 9, MF_BYCOMMAND), UINT(MF_GRAYED));
    EXPECT_EQ(GetMenuState(menu, 10, MF_BYCOMMAND), UINT(MF_DISABLED));
    EXPECT_EQ(GetMenuState(menu, 5, MF_BYPOSITION), UINT(-1));
    EXPECT_EQ(GetMenuState(menu, 77, MF_BYCOMMAND), UINT(-1));
    // A string entry with no string becomes a separator, as on Windows.
    EXPECT_TRUE(AppendMenuA(menu, MF_STRING, 11, nullptr));
    EXPECT_EQ(GetMenuState(menu, 5, MF_BYPOSITION), UINT(MF_SEPARATOR));
}

TEST_F(MenuData, CheckMenuItemReturnsThePreviousStateByCommandOrPosition) {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 1, "One");
    AppendMenuA(menu, MF_CHECKED, 2, "Two");
    EXPECT_EQ(CheckMenuItem(menu, 1, MF_BYCOMMAND | MF_CHECKED), DWORD(MF_UNCHECKED));
    EXPECT_EQ(CheckMenuItem(menu, 1, MF_BYCOMMAND | MF_CHECKED), DWORD(MF_CHECKED));
    EXPECT_EQ(GetMenuState(menu, 1, MF_BYCOMMAND), UINT(MF_CHECKED));
    // Position 0 is the entry with id 1; position 1 the one with id 2.
    EXPECT_EQ(CheckMenuItem(menu, 0, MF_BYPOSITION | MF_UNCHECKED), DWORD(MF_CHECKED));
    EXPECT_EQ(GetMenuState(menu, 1, MF_BYCOMMAND), UINT(MF_STRING));
    EXPECT_EQ(CheckMenuItem(menu, 1, MF_BYPOSITION | MF_UNCHECKED), DWORD(MF_CHECKED));
    EXPECT_EQ(GetMenuState(menu, 2, MF_BYCOMMAND), UINT(MF_UNCHECKED));
    // Only the check bit changes; a grayed entry stays grayed.
    AppendMenuA(menu, MF_GRAYED, 3, "Three");
    CheckMenuItem(menu, 3, MF_CHECKED);
    EXPECT_EQ(GetMenuState(menu, 3, MF_BYCOMMAND), UINT(MF_GRAYED | MF_CHECKED));
    // No such entry.
    EXPECT_EQ(CheckMenuItem(menu, 99, MF_CHECKED), DWORD(-1));
    EXPECT_EQ(CheckMenuItem(menu, 3, MF_BYPOSITION | MF_CHECKED), DWORD(-1));
}

TEST_F(MenuData, CommandsAreFoundInSubMenus) {
    HMENU bar = CreateMenu();
    HMENU run = CreatePopupMenu();
    HMENU deeper = CreatePopupMenu();
    AppendMenuA(deeper, MF_STRING, 7, "Deep");
    AppendMenuA(run, MF_STRING, 1, "Animate");
    AppendMenuA(run, MF_POPUP, as_id(deeper), "More");
    ASSERT_TRUE(AppendMenuA(bar, MF_POPUP, as_id(run), "&Run"));
    EXPECT_EQ(CheckMenuItem(bar, 7, MF_CHECKED), DWORD(MF_UNCHECKED));
    EXPECT_EQ(GetMenuState(deeper, 7, MF_BYCOMMAND), UINT(MF_CHECKED));
    EXPECT_EQ(GetMenuState(bar, 1, MF_BYCOMMAND), UINT(MF_STRING));
    // By position only the menu itself counts; a pop-up entry tells its sub-menu's size.
    EXPECT_EQ(GetMenuState(bar, 1, MF_BYPOSITION), UINT(-1));
    EXPECT_EQ(GetMenuState(bar, 0, MF_BYPOSITION), UINT((2 << 8) | MF_POPUP));
}

TEST_F(MenuData, StaleAndWrongHandlesAreRefusedHarmlessly) {
    HMENU bar = CreateMenu();
    HMENU run = CreatePopupMenu();
    AppendMenuA(run, MF_STRING, 1, "Animate");
    AppendMenuA(bar, MF_POPUP, as_id(run), "&Run");
    // Destroying a menu destroys the sub-menus it opens.
    EXPECT_TRUE(DestroyMenu(bar));
    EXPECT_FALSE(DestroyMenu(bar));
    EXPECT_EQ(GetMenuState(run, 1, MF_BYCOMMAND), UINT(-1));
    EXPECT_FALSE(AppendMenuA(run, MF_STRING, 2, "Halt"));
    EXPECT_EQ(CheckMenuItem(run, 1, MF_CHECKED), DWORD(-1));

    // A new menu in the freed slot is not reached through the old handles.
    HMENU fresh = CreatePopupMenu();
    AppendMenuA(fresh, MF_STRING, 1, "Fresh");
    EXPECT_EQ(CheckMenuItem(run, 1, MF_CHECKED), DWORD(-1));
    EXPECT_EQ(GetMenuState(fresh, 1, MF_BYCOMMAND), UINT(MF_STRING));

    EXPECT_EQ(CheckMenuItem(nullptr, 1, MF_CHECKED), DWORD(-1));
    EXPECT_EQ(GetMenuState(nullptr, 1, MF_BYCOMMAND), UINT(-1));
    EXPECT_FALSE(AppendMenuA(nullptr, MF_STRING, 1, "x"));
    EXPECT_FALSE(DestroyMenu(nullptr));
    // Handles of other kinds and made-up values are no menus.
    HMENU brush = reinterpret_cast<HMENU>(CreateSolidBrush(RGB(1, 2, 3)));
    EXPECT_FALSE(AppendMenuA(brush, MF_STRING, 1, "x"));
    EXPECT_EQ(CheckMenuItem(reinterpret_cast<HMENU>(uintptr_t(0x1234)), 1, 0), DWORD(-1));
    HWND window = create();
    EXPECT_FALSE(SetMenu(window, run));
    EXPECT_FALSE(SetMenu(window, brush));
    EXPECT_EQ(GetMenu(window), nullptr);
}

TEST_F(MenuData, AMenuCannotBecomeItsOwnSubMenu) {
    HMENU outer = CreatePopupMenu();
    HMENU inner = CreatePopupMenu();
    EXPECT_FALSE(AppendMenuA(outer, MF_POPUP, as_id(outer), "Self"));
    ASSERT_TRUE(AppendMenuA(outer, MF_POPUP, as_id(inner), "Inner"));
    EXPECT_FALSE(AppendMenuA(inner, MF_POPUP, as_id(outer), "Loop"));
    EXPECT_FALSE(AppendMenuA(outer, MF_POPUP, 12345, "Nothing"));
    // The search still ends.
    EXPECT_EQ(GetMenuState(outer, 12345, MF_BYCOMMAND), UINT(-1));
}

TEST_F(MenuData, DestroyingADeepChainOfSubMenusDoesNotExhaustTheStack) {
    HMENU top = CreatePopupMenu();
    HMENU inner = top;
    for (int i = 0; i < 100000; i++) {
        HMENU next = CreatePopupMenu();
        ASSERT_TRUE(AppendMenuA(inner, MF_POPUP, as_id(next), "deeper"));
        inner = next;
    }
    AppendMenuA(inner, MF_STRING, 5, "bottom");
    EXPECT_TRUE(DestroyMenu(top));
    EXPECT_FALSE(DestroyMenu(inner));
}

TEST_F(MenuData, SetMenuShrinksTheClientAreaAndSendsTheNewSize) {
    HWND window = create("Bar", WS_CAPTION | WS_SYSMENU, 0, 0, 601, 540);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.bottom, 501);
    received.clear();
    HMENU bar = CreateMenu();
    HMENU run = CreatePopupMenu();
    AppendMenuA(bar, MF_POPUP, as_id(run), "&Run");
    ASSERT_TRUE(SetMenu(window, bar));
    EXPECT_EQ(GetMenu(window), bar);
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 595);
    EXPECT_EQ(client.bottom, 481);
    ASSERT_EQ(count_of(window, WM_SIZE), 1);
    EXPECT_EQ(received.back().message, UINT(WM_SIZE));
    EXPECT_EQ(LOWORD(received.back().lparam), 595);
    EXPECT_EQ(HIWORD(received.back().lparam), 481);
    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.right - outer.left, 601);
    EXPECT_EQ(outer.bottom - outer.top, 540);
    EXPECT_TRUE(DrawMenuBar(window));

    // Attaching the same bar again changes nothing; detaching gives the rows back.
    received.clear();
    EXPECT_TRUE(SetMenu(window, bar));
    EXPECT_EQ(count_of(window, WM_SIZE), 0);
    EXPECT_TRUE(SetMenu(window, nullptr));
    EXPECT_EQ(GetMenu(window), nullptr);
    GetClientRect(window, &client);
    EXPECT_EQ(client.bottom, 501);
    ASSERT_EQ(count_of(window, WM_SIZE), 1);
    EXPECT_EQ(HIWORD(received.back().lparam), 501);
    // Detached, the bar is still the program's to use or destroy.
    EXPECT_TRUE(DestroyMenu(bar));
}

TEST_F(MenuData, TheBarSetDuringCreationCountsInTheFirstSize) {
    override_handling = [](HWND window, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_CREATE) {
            HMENU bar = CreateMenu();
            AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), "&Run");
            SetMenu(window, bar);
            DrawMenuBar(window);
            return 0;
        }
        return std::nullopt;
    };
    HWND window = create("Created");
    // The last WM_SIZE of creation carries the client size below the bar.
    UINT last_size = 0;
    for (const Received &r : received)
        if (r.window == window && r.message == WM_SIZE) last_size = UINT(r.lparam);
    EXPECT_EQ(LOWORD(last_size), 595);
    EXPECT_EQ(HIWORD(last_size), 481);
}

TEST_F(MenuData, DestroyingTheWindowDestroysItsMenu) {
    HWND window = create();
    HMENU bar = CreateMenu();
    HMENU run = CreatePopupMenu();
    AppendMenuA(run, MF_STRING, 1, "Animate");
    AppendMenuA(bar, MF_POPUP, as_id(run), "&Run");
    SetMenu(window, bar);
    DestroyWindow(window);
    EXPECT_FALSE(DestroyMenu(bar));
    EXPECT_EQ(CheckMenuItem(run, 1, MF_CHECKED), DWORD(-1));
    EXPECT_FALSE(DrawMenuBar(window));
    EXPECT_EQ(GetMenu(window), nullptr);
}
