// TranslateMessage: the characters that key presses give.
#include "user_test_support.h"

#include <string>

using namespace user_test;

class Keyboard : public UserTest {
  protected:
    void SetUp() override {
        UserTest::SetUp();
        window = create_shown("Keys");
        pump();
        received.clear();
    }
    void tap(int vk, int scan = 0) {
        display->key_down(vk, scan);
        display->key_up(vk, scan);
    }
    // The characters of the given message that the window received, in order.
    std::string characters(UINT message = WM_CHAR) {
        pump();
        std::string out;
        for (const Received &r : received)
            if (r.window == window && r.message == message) out += char(r.wparam);
        return out;
    }
    HWND window = nullptr;
};

TEST_F(Keyboard, CtrlGivesControlCharactersWhateverTheShiftState) {
    display->key_down(VK_CONTROL, 0x1D);
    tap('A', 0x1E);
    tap('Z', 0x2C);
    display->key_down(VK_SHIFT, 0x2A);
    tap('A', 0x1E);
    tap('6', 0x07);          // Ctrl+^
    tap(VK_OEM_MINUS, 0x0C); // Ctrl+_
    display->key_up(VK_SHIFT, 0x2A);
    tap(VK_OEM_4, 0x1A); // Ctrl+[
    tap(VK_OEM_5, 0x2B); // Ctrl+backslash
    tap(VK_OEM_6, 0x1B); // Ctrl+]
    tap(VK_RETURN, 0x1C);
    tap(VK_BACK, 0x0E);
    tap(VK_SPACE, 0x39);
    tap('1', 0x02);   // nothing
    tap(VK_F1, 0x3B); // nothing
    display->key_up(VK_CONTROL, 0x1D);
    EXPECT_EQ(characters(), std::string("\x01\x1A\x01\x1E\x1F\x1B\x1C\x1D\n\x7F ", 11));
}

TEST_F(Keyboard, ShiftAndCapsLockTogether) {
    tap(VK_CAPITAL, 0x3A);
    tap('Q', 0x10);
    display->key_down(VK_SHIFT, 0x36); // right Shift
    tap('Q', 0x10);
    tap(VK_OEM_2, 0x35); // Caps Lock leaves punctuation alone
    display->key_up(VK_SHIFT, 0x36);
    tap('5', 0x06);
    EXPECT_EQ(characters(), "Qq?5");
}

TEST_F(Keyboard, AltKeysGiveSystemCharacters) {
    display->key_down(VK_MENU, 0x38);
    tap('R', 0x13);
    display->key_down(VK_SHIFT, 0x2A);
    tap('R', 0x13);
    display->key_up(VK_SHIFT, 0x2A);
    display->key_up(VK_MENU, 0x38);
    EXPECT_EQ(characters(WM_SYSCHAR), "rR");
    EXPECT_EQ(characters(WM_CHAR), "");
    EXPECT_EQ(count_of(window, WM_SYSKEYDOWN), 4); // Alt, R, Shift, R
}

TEST_F(Keyboard, KeysWithoutCharactersGiveNone) {
    // The second Caps Lock switches it back off.
    const std::vector<WPARAM> keys = {VK_F1,    VK_F10,     VK_LEFT,    VK_HOME,   VK_DELETE,
                                      VK_SHIFT, VK_CONTROL, VK_CAPITAL, VK_CAPITAL};
    for (WPARAM vk : keys) tap(int(vk), 0);
    EXPECT_EQ(characters(), "");
    EXPECT_EQ(count_of(window, WM_SYSCHAR), 0);
    // Each key arrived, down and up (F10 as a system key).
    std::vector<WPARAM> downs;
    for (const Received &r : received)
        if (r.window == window && (r.message == WM_KEYDOWN || r.message == WM_SYSKEYDOWN))
            downs.push_back(r.wparam);
    EXPECT_EQ(downs, keys);
    EXPECT_EQ(count_of(window, WM_KEYUP) + count_of(window, WM_SYSKEYUP), int(keys.size()));
}

TEST_F(Keyboard, AutoRepeatGivesAKeyDownAndACharacterEachTime) {
    display->key_down('K', 0x25);
    display->key_down('K', 0x25, true);
    display->key_down('K', 0x25, true);
    display->key_up('K', 0x25);
    EXPECT_EQ(characters(), "kkk");
    std::vector<LPARAM> previous_bits;
    for (const Received &r : received)
        if (r.message == WM_KEYDOWN) previous_bits.push_back(r.lparam & (LPARAM(1) << 30));
    EXPECT_EQ(previous_bits, (std::vector<LPARAM>{0, LPARAM(1) << 30, LPARAM(1) << 30}));
}
