// The open menu: opening it with the mouse and the keyboard, choosing entries, closing it, and
// keeping input away from the windows while it is open.
#include "menu_test_support.h"

using namespace user_test;

class MenuTracking : public MenuTest {};

TEST_F(MenuTracking, AClickOnTheBarOpensThePopupAndAClickOnAnEntryChoosesIt) {
    click_bar();
    EXPECT_TRUE(display->menu_open());
    EXPECT_EQ(display->menu_window(), id);
    click_entry(1); // Halt animation
    EXPECT_FALSE(display->menu_open());
    EXPECT_EQ(commands(), (std::vector<WPARAM>{HALT}));
    EXPECT_EQ(input_messages(), 0);
    // The menu is closed: the next click is the program's again.
    click(100, 300);
    EXPECT_EQ(count_of(window, WM_LBUTTONDOWN), 1);
}

TEST_F(MenuTracking, PressOnTheBarDragAndReleaseOnAnEntryChoosesIt) {
    RECT quit = entry_rect(10);
    display->mouse_down(id, 10, 10);
    display->mouse_up(id, 10, 10);
    pump();
    ASSERT_TRUE(display->menu_open());
    display->mouse_down(id, 10, 10);
    pump();
    EXPECT_FALSE(display->menu_open()); // a press on the open entry's title closes it
    display->mouse_up(id, 10, 10);
    display->mouse_down(id, 10, 10);
    pump();
    EXPECT_TRUE(display->menu_open());
    display->mouse_up(id, quit.left + 5, quit.top + 5);
    pump();
    EXPECT_EQ(commands(), (std::vector<WPARAM>{QUIT}));
    EXPECT_EQ(input_messages(), 0);
}

TEST_F(MenuTracking, GrayedEntriesAndSeparatorsAreNotChosen) {
    click_bar();
    click_entry(GRAYED_ENTRY);
    click_entry(3); // a separator
    EXPECT_TRUE(display->menu_open());
    EXPECT_TRUE(commands().empty());
    press(VK_ESCAPE);
    // From the keyboard: Up from the first entry goes round to the last, grayed, entry; Enter
    // does not choose it.
    alt('R', 0x13);
    press(VK_UP);
    press(VK_RETURN);
    EXPECT_TRUE(display->menu_open());
    EXPECT_TRUE(commands().empty());
    // A disabled entry drawn normally cannot be chosen either.
    AppendMenuA(run, MF_DISABLED, 77, "&Disabled");
    press(VK_ESCAPE);
    alt('R', 0x13);
    press('D', 0x20);
    press(VK_RETURN);
    EXPECT_TRUE(commands().empty());
    EXPECT_EQ(messages_of(window, {WM_LBUTTONDOWN, WM_KEYDOWN, WM_CHAR}).size(), 0u);
}

TEST_F(MenuTracking, EscapeAndClicksElsewhereCloseItWithoutReachingAnyWindow) {
    HWND other = create_shown("Other");
    pump();
    SetFocus(window);
    pump();
    received.clear();

    click_bar();
    press(VK_ESCAPE);
    EXPECT_FALSE(display->menu_open());

    click_bar();
    click(200, 300); // the client area below the pop-up's right edge
    EXPECT_FALSE(display->menu_open());

    click_bar();
    display->type('x');
    display->click(display_of("Other"), 50, 50);
    pump();
    EXPECT_FALSE(display->menu_open());

    click_bar();
    click(500, 10); // the bar, right of its entries
    EXPECT_FALSE(display->menu_open());

    EXPECT_EQ(input_messages(), 0);
    EXPECT_EQ(messages_of(other, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_CHAR}).size(), 0u);
    EXPECT_TRUE(commands().empty());
    // Afterwards clicks and keys reach the windows as before.
    display->click(display_of("Other"), 50, 50);
    display->key_down('A', 0x1E);
    pump();
    EXPECT_EQ(count_of(other, WM_LBUTTONDOWN), 1);
    EXPECT_EQ(count_of(other, WM_CHAR), 1);
}

TEST_F(MenuTracking, AltAndTheMnemonicOpenTheMenuThroughTheMessages) {
    alt('R', 0x13);
    ASSERT_TRUE(display->menu_open());
    // The keys reached the window as system keys, and the default handling opened the menu.
    EXPECT_EQ(
        messages_of(window, {WM_SYSKEYDOWN, WM_SYSCHAR, WM_SYSCOMMAND, WM_SYSKEYUP, WM_KEYUP}),
        (std::vector<UINT>{WM_SYSKEYDOWN, WM_SYSKEYDOWN, WM_SYSCHAR, WM_SYSCOMMAND}));
    for (const Received &r : received)
        if (r.message == WM_SYSCOMMAND) {
            EXPECT_EQ(r.wparam, WPARAM(SC_KEYMENU));
            EXPECT_EQ(r.lparam, LPARAM('r'));
        }
    // The first entry is selected: Down twice and Enter choose the third.
    press(VK_DOWN);
    press(VK_DOWN);
    press(VK_RETURN);
    EXPECT_FALSE(display->menu_open());
    EXPECT_EQ(commands(), (std::vector<WPARAM>{STEP}));
    // Down skips the separator after the third entry.
    alt('R', 0x13);
    press(VK_DOWN);
    press(VK_DOWN);
    press(VK_DOWN);
    press(VK_RETURN);
    EXPECT_EQ(commands(), (std::vector<WPARAM>{STEP, LOGGING}));
}

TEST_F(MenuTracking, F10SelectsTheBarAndTheArrowsOpenAndMove) {
    press(VK_F10, 0x44);
    ASSERT_TRUE(display->menu_open());
    EXPECT_EQ(count_of(window, WM_SYSKEYDOWN), 1);
    press(VK_DOWN);
    press(VK_UP); // round to the last entry, which is grayed
    press(VK_UP);
    press(VK_UP);
    press(VK_UP);
    press(VK_UP); // past the separator to Quit
    // Escape goes back to the bar, a second Escape leaves the menu.
    press(VK_ESCAPE);
    EXPECT_TRUE(display->menu_open());
    press(VK_ESCAPE);
    EXPECT_FALSE(display->menu_open());
    EXPECT_TRUE(commands().empty());

    press(VK_F10, 0x44);
    press(VK_RETURN); // opens the pop-up on its first entry
    press(VK_RETURN);
    EXPECT_EQ(commands(), (std::vector<WPARAM>{ANIMATE}));
    // F10 again leaves the menu.
    press(VK_F10, 0x44);
    press(VK_F10, 0x44);
    EXPECT_FALSE(display->menu_open());
    EXPECT_EQ(count_of(window, WM_SYSKEYDOWN), 3);
    EXPECT_EQ(count_of(window, WM_KEYDOWN), 0);
}

TEST_F(MenuTracking, AnEntrysUnderlinedLetterChoosesItInEitherCase) {
    alt('R', 0x13);
    press('L', 0x26);
    EXPECT_EQ(commands(), (std::vector<WPARAM>{LOGGING}));
    alt('R', 0x13);
    display->key_down(VK_SHIFT, 0x2A);
    display->key_down('O', 0x18);
    display->key_up('O', 0x18);
    display->key_up(VK_SHIFT, 0x2A);
    pump();
    EXPECT_EQ(commands(), (std::vector<WPARAM>{LOGGING, PLAY_ONE}));
    // Letters that are no entry's mnemonic leave the menu open.
    alt('R', 0x13);
    press('Z', 0x2C);
    EXPECT_TRUE(display->menu_open());
    // Alt with a letter no bar entry has opens nothing.
    press(VK_ESCAPE);
    alt('X', 0x2D);
    EXPECT_FALSE(display->menu_open());
    EXPECT_EQ(count_of(window, WM_CHAR), 0);
}

TEST_F(MenuTracking, HoveringSelectsAndLeavingThePopupDeselects) {
    create("Other");
    RECT halt = entry_rect(1);
    click_bar();
    // Moving onto Halt selects it; Enter chooses the selection.
    move(halt.left + 4, halt.top + 4);
    press(VK_RETURN);
    EXPECT_EQ(commands(), (std::vector<WPARAM>{HALT}));
    // Leaving the pop-up deselects: Enter then chooses nothing. The same point in another
    // window is outside it too.
    click_bar();
    move(halt.left + 4, halt.top + 4);
    move(500, 400);
    press(VK_RETURN);
    EXPECT_TRUE(display->menu_open());
    move(halt.left + 4, halt.top + 4);
    display->mouse_move(display_of("Other"), halt.left + 4, halt.top + 4);
    press(VK_RETURN);
    EXPECT_TRUE(display->menu_open());
    EXPECT_EQ(commands().size(), 1u);
}

TEST_F(MenuTracking, TheProgramRunsOnWhileTheMenuIsOpen) {
    SetTimer(window, 2, 100, nullptr);
    click_bar();
    received.clear();
    display->advance(250);
    InvalidateRect(window, nullptr, FALSE);
    PostMessageA(window, WM_USER, 0, 0);
    pump();
    EXPECT_TRUE(display->menu_open());
    EXPECT_EQ(count_of(window, WM_TIMER), 1);
    EXPECT_EQ(count_of(window, WM_PAINT), 1);
    EXPECT_EQ(count_of(window, WM_USER), 1);
}

TEST_F(MenuTracking, KeysTypedBeforeTheMenuOpenedGoToIt) {
    // All at once, as a fast typist or the headless runner gives them: Alt+R, then Down and
    // Enter reach the menu, though they arrived before it opened.
    display->key_down(VK_MENU, 0x38);
    display->key_down('R', 0x13);
    display->key_up('R', 0x13);
    display->key_up(VK_MENU, 0x38);
    display->key_down(VK_DOWN, 0x150);
    display->key_up(VK_DOWN, 0x150);
    display->key_down(VK_RETURN, 0x1C);
    display->key_up(VK_RETURN, 0x1C);
    pump();
    EXPECT_EQ(commands(), (std::vector<WPARAM>{HALT}));
    EXPECT_EQ(messages_of(window, {WM_KEYDOWN, WM_KEYUP, WM_SYSKEYUP, WM_CHAR}).size(), 0u);
    // The key state the program sees followed the keys the menu took.
    EXPECT_EQ(GetKeyState(VK_MENU) & 0x8000, 0);
}

TEST_F(MenuTracking, TheMenuClosesWithItsWindowOrBar) {
    click_bar();
    ASSERT_TRUE(display->menu_open());
    ShowWindow(window, SW_HIDE);
    EXPECT_FALSE(display->menu_open());
    ShowWindow(window, SW_SHOW);
    pump();
    click_bar();
    ASSERT_TRUE(display->menu_open());
    SetMenu(window, bar); // the same bar again
    EXPECT_FALSE(display->menu_open());
    click_bar();
    ASSERT_TRUE(display->menu_open());
    DestroyMenu(run); // the open pop-up's menu goes: the next input finds the menu closed
    press(VK_DOWN);
    EXPECT_FALSE(display->menu_open());
    click_bar(); // the bar entry opens nothing now
    EXPECT_FALSE(display->menu_open());
    // Destroying the window closes it too.
    HMENU bar2 = CreateMenu();
    HMENU run2 = CreatePopupMenu();
    AppendMenuA(run2, MF_STRING, 1, "&One");
    AppendMenuA(bar2, MF_POPUP, reinterpret_cast<UINT_PTR>(run2), "&Run");
    SetMenu(window, bar2);
    click_bar();
    ASSERT_TRUE(display->menu_open());
    DestroyWindow(window);
    EXPECT_FALSE(display->menu_open());
    pump();
}
