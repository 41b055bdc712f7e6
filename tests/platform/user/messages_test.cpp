// The message queue: order, filters, input translated into messages, dispatch.
#include "platform/user/internal.h"
#include "user_test_support.h"

using namespace user_test;

class Messages : public UserTest {};

namespace {

std::vector<UINT> take_all(HWND filter = nullptr, UINT first = 0, UINT last = 0) {
    std::vector<UINT> out;
    MSG msg;
    while (PeekMessageA(&msg, filter, first, last, PM_REMOVE)) {
        out.push_back(msg.message);
        if (msg.message == WM_PAINT) ValidateRect(msg.hwnd, nullptr);
    }
    return out;
}

} // namespace

TEST_F(Messages, PostedBeforeInputBeforeQuitBeforePaintBeforeTimer) {
    HWND window = create_shown("W");
    SetTimer(window, 1, 100, nullptr);
    display->advance(100);
    PostQuitMessage(3);
    display->click(display_of("W"), 10, 40);
    PostMessageA(window, WM_USER, 0, 0);
    PostMessageA(window, WM_USER + 1, 0, 0);
    MSG msg;
    std::vector<UINT> order;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        order.push_back(msg.message);
        if (msg.message == WM_QUIT) {
            EXPECT_EQ(msg.wParam, 3u);
        }
        if (msg.message == WM_PAINT) ValidateRect(msg.hwnd, nullptr);
    }
    EXPECT_EQ(order, (std::vector<UINT>{WM_USER, WM_USER + 1, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_QUIT,
                                        WM_PAINT, WM_TIMER}));
}

TEST_F(Messages, NoRemoveLeavesTheMessageAndFiltersSelect) {
    HWND a = create("A");
    HWND b = create("B");
    PostMessageA(a, WM_USER, 1, 0);
    PostMessageA(b, WM_USER + 5, 2, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.wParam, 1u);
    ASSERT_TRUE(PeekMessageA(&msg, b, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 2u);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_USER + 1, WM_USER + 9, PM_REMOVE));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, a);
    // WM_QUIT comes whatever the range.
    PostQuitMessage(0);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_REMOVE));
    EXPECT_EQ(msg.message, UINT(WM_QUIT));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Messages, QuitWaitsForPostedMessagesAndGetMessageEndsWithIt) {
    HWND window = create();
    PostQuitMessage(7);
    PostMessageA(window, WM_USER, 0, 0);
    PostMessageA(nullptr, WM_USER + 2, 0, 0); // a thread message
    MSG msg;
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), 1);
    EXPECT_EQ(msg.message, UINT(WM_USER));
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), 1);
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_EQ(DispatchMessageA(&msg), 0); // nothing to dispatch a thread message to
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), 0);
    EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(Messages, DispatchAndSendRunTheProcedureAtOnce) {
    HWND window = create();
    override_handling = [](HWND, UINT message, WPARAM wparam, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_USER) return LRESULT(wparam * 2);
        return std::nullopt;
    };
    EXPECT_EQ(SendMessageA(window, WM_USER, 21, 0), 42);
    MSG msg{window, WM_USER, 5, 0, 0, {0, 0}};
    EXPECT_EQ(DispatchMessageA(&msg), 10);
}

TEST_F(Messages, AForgedTimerProcedureIsNotCalled) {
    HWND window = create();
    MSG msg{window, WM_TIMER, 1, LPARAM(0x1234), 0, {0, 0}};
    EXPECT_EQ(DispatchMessageA(&msg), 0); // would jump to 0x1234 if called
    EXPECT_EQ(count_of(window, WM_TIMER), 0);
}

TEST_F(Messages, ALeftClickInTheClientAreaBecomesButtonMessages) {
    HWND window = create_shown("W");
    pump();
    received.clear();
    display->click(display_of("W"), 297, 240);
    pump();
    ASSERT_EQ(messages_of(window, {WM_LBUTTONDOWN, WM_LBUTTONUP}),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
    const Received *down = nullptr;
    for (const Received &r : received)
        if (r.message == WM_LBUTTONDOWN) down = &r;
    EXPECT_EQ(down->lparam, MAKELPARAM(297, 240));
    EXPECT_EQ(down->wparam, WPARAM(MK_LBUTTON));
}

TEST_F(Messages, PressesOnTheMenuBarRowsAreNotClientClicks) {
    HWND window = create_shown("W");
    user::set_menu_bar_height(window, 20);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.bottom, 481);
    pump();
    received.clear();
    display->click(display_of("W"), 100, 19);
    display->click(display_of("W"), 100, 20);
    pump();
    EXPECT_EQ(count_of(window, WM_LBUTTONDOWN), 1);
    for (const Received &r : received)
        if (r.message == WM_LBUTTONDOWN) {
            EXPECT_EQ(r.lparam, MAKELPARAM(100, 0));
        }
}

TEST_F(Messages, ClickingAnotherWindowMovesTheFocus) {
    HWND a = create_shown("A");
    HWND b = create_shown("B");
    EXPECT_EQ(GetFocus(), b);
    display->click(display_of("A"), 5, 5);
    pump();
    EXPECT_EQ(GetFocus(), a);
    display->key_down('Q', 0x10);
    pump();
    EXPECT_EQ(count_of(a, WM_KEYDOWN), 1);
    EXPECT_EQ(count_of(b, WM_KEYDOWN), 0);
}

TEST_F(Messages, KeyMessagesCarryWindowsLParamBits) {
    HWND window = create_shown("W");
    pump();
    received.clear();
    display->key_down(VK_RIGHT, 0x14D); // extended
    display->key_down(VK_RIGHT, 0x14D, true);
    display->key_up(VK_RIGHT, 0x14D);
    pump();
    std::vector<LPARAM> bits;
    for (const Received &r : received)
        if (r.message == WM_KEYDOWN || r.message == WM_KEYUP) bits.push_back(r.lparam);
    ASSERT_EQ(bits.size(), 3u);
    EXPECT_EQ(DWORD(bits[0]), 0x014D0001u);
    EXPECT_EQ(DWORD(bits[1]), 0x414D0001u);
    EXPECT_EQ(DWORD(bits[2]), 0xC14D0001u);
    EXPECT_EQ(messages_of(window, {WM_KEYDOWN, WM_KEYUP}),
              (std::vector<UINT>{WM_KEYDOWN, WM_KEYDOWN, WM_KEYUP}));
}

TEST_F(Messages, AltAndF10GiveSystemKeys) {
    HWND window = create_shown("W");
    pump();
    received.clear();
    display->key_down(VK_MENU, 0x38);
    display->key_down('F', 0x21);
    display->key_up('F', 0x21);
    display->key_up(VK_MENU, 0x38);
    display->key_down(VK_F10, 0x44);
    display->key_up(VK_F10, 0x44);
    display->key_down(VK_CONTROL, 0x1D);
    display->key_down(VK_MENU, 0x138); // Ctrl with Alt is AltGr: plain keys
    display->key_down('Q', 0x10);
    pump();
    std::vector<UINT> keys =
        messages_of(window, {WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP});
    EXPECT_EQ(keys,
              (std::vector<UINT>{WM_SYSKEYDOWN, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSKEYUP,
                                 WM_SYSKEYDOWN, WM_SYSKEYUP, WM_KEYDOWN, WM_KEYDOWN, WM_KEYDOWN}));
    for (const Received &r : received) {
        if (r.message == WM_SYSKEYDOWN && r.wparam == 'F') {
            EXPECT_TRUE(r.lparam & (1 << 29));
        }
        if (r.message == WM_SYSKEYDOWN && r.wparam == VK_F10) {
            EXPECT_FALSE(r.lparam & (1 << 29));
        }
    }
    // Alt+F translates to WM_SYSCHAR.
    EXPECT_EQ(count_of(window, WM_SYSCHAR), 1);
}

TEST_F(Messages, TranslateMessageGivesCharactersWithShiftCapsAndCtrl) {
    HWND window = create_shown("W");
    pump();
    auto type_key = [&](int vk, int scan) {
        display->key_down(vk, scan);
        display->key_up(vk, scan);
    };
    type_key('A', 0x1E);
    display->key_down(VK_SHIFT, 0x2A);
    type_key('A', 0x1E);
    type_key('1', 0x02);
    display->key_up(VK_SHIFT, 0x2A);
    type_key(VK_CAPITAL, 0x3A);
    type_key('B', 0x30);
    type_key(VK_CAPITAL, 0x3A);
    display->key_down(VK_CONTROL, 0x1D);
    type_key('C', 0x2E);
    display->key_up(VK_CONTROL, 0x1D);
    type_key(VK_RETURN, 0x1C);
    display->type(0xE9);
    received.clear();
    pump();
    std::string typed;
    for (const Received &r : received)
        if (r.window == window && r.message == WM_CHAR) typed += char(r.wparam);
    EXPECT_EQ(typed, std::string("aA!B\x03\r\xE9"));
}

TEST_F(Messages, GetKeyStateFollowsTheMessagesTaken) {
    create_shown("W");
    pump();
    display->key_down(VK_SHIFT, 0x36); // right Shift
    EXPECT_EQ(GetKeyState(VK_SHIFT), 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(GetKeyState(VK_SHIFT), 0); // not taken yet
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    EXPECT_LT(GetKeyState(VK_RSHIFT), 0);
    EXPECT_EQ(GetKeyState(VK_LSHIFT), 0);
    display->key_up(VK_SHIFT, 0x36);
    display->key_down(VK_CAPITAL, 0x3A);
    display->key_up(VK_CAPITAL, 0x3A);
    pump();
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);   // up; its low bit toggles with every press
    EXPECT_EQ(GetKeyState(VK_CAPITAL), 1); // toggled, not down
    EXPECT_EQ(GetKeyState(-5), 0);
    EXPECT_EQ(GetKeyState(0x1000), 0);
}

TEST_F(Messages, CloseBoxSendsCloseAndDefaultHandlingDestroys) {
    HWND window = create_shown("W");
    pump();
    received.clear();
    display->close(display_of("W"));
    pump();
    EXPECT_EQ(messages_of(window, {WM_CLOSE, WM_DESTROY, WM_NCDESTROY}),
              (std::vector<UINT>{WM_CLOSE, WM_DESTROY, WM_NCDESTROY}));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(display_of("W"), 0);
}

TEST_F(Messages, ACloseThatTheProgramRefusesKeepsTheWindow) {
    override_handling = [](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_CLOSE) return 0;
        return std::nullopt;
    };
    HWND window = create_shown("W");
    display->close(display_of("W"));
    pump();
    EXPECT_EQ(count_of(window, WM_CLOSE), 1);
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(Messages, PostingIsBounded) {
    HWND window = create();
    int accepted = 0;
    while (accepted < 20000 && PostMessageA(window, WM_USER, 0, 0)) accepted++;
    EXPECT_EQ(accepted, 10000);
    EXPECT_EQ(take_all().size(), 10000u);
    EXPECT_TRUE(PostMessageA(window, WM_USER, 0, 0));
}
