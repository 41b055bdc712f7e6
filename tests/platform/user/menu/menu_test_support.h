// Shared by the tests of the open menu: a shown window carrying a "&Run" bar whose pop-up has
// the sixteen entries of the graphics package's Run menu, and the places to click them.
#pragma once

#include "platform/user/internal.h"
#include "platform/user/menu/layout.h"
#include "user_test_support.h"

namespace user_test {

enum : UINT { ANIMATE = 1, HALT, STEP, LOGGING, RECORD, PLAYBACK, PLAY_ONE, QUIT, INFO };

struct RunEntry {
    UINT flags;
    UINT id;
    const char *text;
};

inline const RunEntry RUN_ENTRIES[] = {
    {MF_STRING, ANIMATE, "&Animate\tCtrl+A"},
    {MF_STRING, HALT, "&Halt animation\tCtrl+H"},
    {MF_STRING, STEP, "Advance one &frame\tCtrl+F"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_CHECKED, LOGGING, "&Logging\tCtrl+L"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, RECORD, "&Record Script\tCtrl+R"},
    {MF_STRING, PLAYBACK, "&Playback Script\tCtrl+P"},
    {MF_STRING, PLAY_ONE, "Play &One Script\tCtrl+O"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, QUIT, "&Quit\tCtrl+Q"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_GRAYED, INFO, "Graphics package, version 1.0"},
    {MF_GRAYED, INFO, "MAC: no build"},
    {MF_GRAYED, INFO, "WINDOWS: a native build"},
    {MF_GRAYED, INFO, "UPDATES: from the source repository"},
};
constexpr int GRAYED_ENTRY = 12; // the first credit line
constexpr int BAR_HEIGHT = 20;

class MenuTest : public UserTest {
  protected:
    void SetUp() override {
        UserTest::SetUp();
        window = create("Menu");
        bar = CreateMenu();
        run = CreatePopupMenu();
        for (const RunEntry &e : RUN_ENTRIES) AppendMenuA(run, e.flags, e.id, e.text);
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(run), "&Run");
        SetMenu(window, bar);
        DrawMenuBar(window);
        ShowWindow(window, SW_SHOW);
        id = display_of("Menu");
        pump();
        received.clear();
    }

    // The pop-up hangs below the bar entry at the window's left edge.
    RECT entry_rect(int index) {
        user::PopupLayout layout = user::layout_popup(*user::find_menu(run));
        RECT r = platform::windows_rect(layout.items[size_t(index)]);
        return RECT{r.left, r.top + BAR_HEIGHT, r.right, r.bottom + BAR_HEIGHT};
    }
    RECT popup_rect() {
        user::PopupLayout layout = user::layout_popup(*user::find_menu(run));
        return RECT{0, BAR_HEIGHT, layout.width, BAR_HEIGHT + layout.height};
    }

    // Clicks, in content coordinates, then handles what follows.
    void click(int x, int y) {
        display->click(id, x, y);
        pump();
    }
    void click_bar() { click(10, 10); }
    void move(int x, int y) {
        display->mouse_move(id, x, y);
        pump();
    }
    void click_entry(int index) {
        RECT r = entry_rect(index);
        click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    void press(int vk, int scan = 0) {
        display->key_down(vk, scan);
        display->key_up(vk, scan);
        pump();
    }
    void alt(int vk, int scan) {
        display->key_down(VK_MENU, 0x38);
        display->key_down(vk, scan);
        display->key_up(vk, scan);
        display->key_up(VK_MENU, 0x38);
        pump();
    }

    // The ids of the WM_COMMAND messages the window received.
    std::vector<WPARAM> commands() {
        std::vector<WPARAM> ids;
        for (const Received &r : received)
            if (r.window == window && r.message == WM_COMMAND) {
                EXPECT_EQ(r.lparam, 0);
                ids.push_back(r.wparam);
            }
        return ids;
    }
    // Input messages that reached the window.
    int input_messages() {
        return int(messages_of(window, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_KEYDOWN,
                                        WM_KEYUP, WM_CHAR, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSCHAR})
                       .size());
    }

    const platform::Surface &presented() { return display->window(id)->presented; }

    HWND window = nullptr;
    HMENU bar = nullptr, run = nullptr;
    int id = 0;
};

} // namespace user_test
