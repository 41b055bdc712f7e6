// SDL's keys as Windows' virtual keys and scan codes, on US and other layouts.
#include "platform/display/sdl/sdl_keys.h"
#include "platform/win.h"

#include <gtest/gtest.h>

using sdl_display::windows_key;
using sdl_display::WindowsKey;

namespace {

WindowsKey key_of(SDL_Scancode scancode, SDL_Keycode layout_key = SDLK_UNKNOWN,
                  bool num_lock = true) {
    WindowsKey key;
    EXPECT_TRUE(windows_key(scancode, layout_key, num_lock, key)) << scancode;
    return key;
}

void expect_key(SDL_Scancode scancode, int vk, int scan, SDL_Keycode layout_key = SDLK_UNKNOWN,
                bool num_lock = true) {
    WindowsKey key = key_of(scancode, layout_key, num_lock);
    EXPECT_EQ(key.virtual_key, vk) << "SDL scan code " << scancode;
    EXPECT_EQ(key.scan_code, scan) << "SDL scan code " << scancode;
}

} // namespace

TEST(SdlKeys, UsLayoutGivesUpperCaseLettersDigitsAndTheNamedKeys) {
    expect_key(SDL_SCANCODE_A, 'A', 0x1E, 'a');
    expect_key(SDL_SCANCODE_Q, 'Q', 0x10, 'q');
    expect_key(SDL_SCANCODE_Z, 'Z', 0x2C, 'z');
    expect_key(SDL_SCANCODE_1, '1', 0x02, '1');
    expect_key(SDL_SCANCODE_0, '0', 0x0B, '0');
    expect_key(SDL_SCANCODE_RETURN, VK_RETURN, 0x1C);
    expect_key(SDL_SCANCODE_ESCAPE, VK_ESCAPE, 0x01);
    expect_key(SDL_SCANCODE_BACKSPACE, VK_BACK, 0x0E);
    expect_key(SDL_SCANCODE_TAB, VK_TAB, 0x0F);
    expect_key(SDL_SCANCODE_SPACE, VK_SPACE, 0x39);
    expect_key(SDL_SCANCODE_SEMICOLON, VK_OEM_1, 0x27, ';');
    expect_key(SDL_SCANCODE_COMMA, VK_OEM_COMMA, 0x33, ',');
}

TEST(SdlKeys, ModifiersHaveTheirGenericCodesAndTheSideInTheScanCode) {
    expect_key(SDL_SCANCODE_LCTRL, VK_CONTROL, 0x1D);
    expect_key(SDL_SCANCODE_RCTRL, VK_CONTROL, 0x11D);
    expect_key(SDL_SCANCODE_LSHIFT, VK_SHIFT, 0x2A);
    expect_key(SDL_SCANCODE_RSHIFT, VK_SHIFT, 0x36);
    expect_key(SDL_SCANCODE_LALT, VK_MENU, 0x38);
    expect_key(SDL_SCANCODE_RALT, VK_MENU, 0x138);
}

TEST(SdlKeys, FunctionAndCursorKeys) {
    expect_key(SDL_SCANCODE_F1, VK_F1, 0x3B);
    expect_key(SDL_SCANCODE_F10, VK_F10, 0x44);
    expect_key(SDL_SCANCODE_F11, VK_F11, 0x57);
    expect_key(SDL_SCANCODE_F12, VK_F12, 0x58);
    expect_key(SDL_SCANCODE_F13, 0x7C, 0x64);
    expect_key(SDL_SCANCODE_F24, 0x87, 0x76);
    // The cursor block is extended, unlike the keypad's cursor keys.
    expect_key(SDL_SCANCODE_LEFT, VK_LEFT, 0x14B);
    expect_key(SDL_SCANCODE_UP, VK_UP, 0x148);
    expect_key(SDL_SCANCODE_HOME, VK_HOME, 0x147);
    expect_key(SDL_SCANCODE_DELETE, VK_DELETE, 0x153);
}

TEST(SdlKeys, KeypadGivesDigitsWithNumLockAndCursorKeysWithout) {
    expect_key(SDL_SCANCODE_KP_7, VK_NUMPAD7, 0x47, SDLK_KP_7, true);
    expect_key(SDL_SCANCODE_KP_7, VK_HOME, 0x47, SDLK_KP_7, false);
    expect_key(SDL_SCANCODE_KP_0, VK_NUMPAD0, 0x52, SDLK_KP_0, true);
    expect_key(SDL_SCANCODE_KP_0, VK_INSERT, 0x52, SDLK_KP_0, false);
    expect_key(SDL_SCANCODE_KP_5, 0x0C, 0x4C, SDLK_KP_5, false); // VK_CLEAR
    expect_key(SDL_SCANCODE_KP_PERIOD, VK_DECIMAL, 0x53, SDLK_KP_PERIOD, true);
    expect_key(SDL_SCANCODE_KP_PERIOD, VK_DELETE, 0x53, SDLK_KP_PERIOD, false);
    // The keypad's other keys are the same either way; Enter and / are extended.
    expect_key(SDL_SCANCODE_KP_ENTER, VK_RETURN, 0x11C, SDLK_KP_ENTER, false);
    expect_key(SDL_SCANCODE_KP_DIVIDE, VK_DIVIDE, 0x135, SDLK_KP_DIVIDE, false);
    expect_key(SDL_SCANCODE_KP_MULTIPLY, VK_MULTIPLY, 0x37);
    expect_key(SDL_SCANCODE_KP_MINUS, VK_SUBTRACT, 0x4A);
    expect_key(SDL_SCANCODE_KP_PLUS, VK_ADD, 0x4E);
    expect_key(SDL_SCANCODE_NUMLOCKCLEAR, VK_NUMLOCK, 0x145);
}

TEST(SdlKeys, LettersFollowTheLayoutAndScanCodesThePosition) {
    // French: the key in the US Q position types a, the one in the A position q.
    expect_key(SDL_SCANCODE_Q, 'A', 0x10, 'a');
    expect_key(SDL_SCANCODE_A, 'Q', 0x1E, 'q');
    // German: Y and Z change places.
    expect_key(SDL_SCANCODE_Y, 'Z', 0x15, 'z');
    // French: the US semicolon position types m, the US M position a comma.
    expect_key(SDL_SCANCODE_SEMICOLON, 'M', 0x27, 'm');
    expect_key(SDL_SCANCODE_M, VK_OEM_COMMA, 0x32, ',');
    // Dvorak moves punctuation and letters around: the codes go with the characters.
    expect_key(SDL_SCANCODE_APOSTROPHE, VK_OEM_MINUS, 0x28, '-');
    expect_key(SDL_SCANCODE_LEFTBRACKET, VK_OEM_2, 0x1A, '/');
    expect_key(SDL_SCANCODE_Z, VK_OEM_1, 0x2C, ';');
    expect_key(SDL_SCANCODE_S, 'O', 0x1F, 'o');
}

TEST(SdlKeys, DigitRowAndNonLatinLettersKeepTheirPlaces) {
    // French types & on the 1 key; Windows still calls it 1.
    expect_key(SDL_SCANCODE_1, '1', 0x02, '&');
    // Russian letters: the Latin letter of the position.
    expect_key(SDL_SCANCODE_F, 'F', 0x21, 0x430);
    // A key that types something no US key types keeps its code.
    expect_key(SDL_SCANCODE_SEMICOLON, VK_OEM_1, 0x27, 0xF6); // German o umlaut
    expect_key(SDL_SCANCODE_NONUSBACKSLASH, VK_OEM_102, 0x56, '<');
}

TEST(SdlKeys, KeysWithoutAWindowsCodeAreRefused) {
    WindowsKey key;
    EXPECT_FALSE(windows_key(SDL_SCANCODE_AUDIONEXT, SDLK_AUDIONEXT, true, key));
    EXPECT_FALSE(windows_key(SDL_SCANCODE_UNKNOWN, SDLK_UNKNOWN, true, key));
}
