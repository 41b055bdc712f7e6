// The physical keys of a PC keyboard: SDL's scan codes, Windows' virtual keys and set-1 scan
// codes (0x100 marks an extended key). Letters and punctuation are named by their US positions;
// what they type is the layout's business (key_character).
#include "platform/display/sdl/sdl_keys.h"
#include "platform/win.h"

namespace sdl_display {

namespace {

struct Key {
    SDL_Scancode sdl;
    int vk;
    int scan;
};

constexpr Key KEYS[] = {
    {SDL_SCANCODE_RETURN, VK_RETURN, 0x1C},
    {SDL_SCANCODE_ESCAPE, VK_ESCAPE, 0x01},
    {SDL_SCANCODE_BACKSPACE, VK_BACK, 0x0E},
    {SDL_SCANCODE_TAB, VK_TAB, 0x0F},
    {SDL_SCANCODE_SPACE, VK_SPACE, 0x39},
    {SDL_SCANCODE_MINUS, VK_OEM_MINUS, 0x0C},
    {SDL_SCANCODE_EQUALS, VK_OEM_PLUS, 0x0D},
    {SDL_SCANCODE_LEFTBRACKET, VK_OEM_4, 0x1A},
    {SDL_SCANCODE_RIGHTBRACKET, VK_OEM_6, 0x1B},
    {SDL_SCANCODE_BACKSLASH, VK_OEM_5, 0x2B},
    {SDL_SCANCODE_SEMICOLON, VK_OEM_1, 0x27},
    {SDL_SCANCODE_APOSTROPHE, VK_OEM_7, 0x28},
    {SDL_SCANCODE_GRAVE, VK_OEM_3, 0x29},
    {SDL_SCANCODE_COMMA, VK_OEM_COMMA, 0x33},
    {SDL_SCANCODE_PERIOD, VK_OEM_PERIOD, 0x34},
    {SDL_SCANCODE_SLASH, VK_OEM_2, 0x35},
    {SDL_SCANCODE_CAPSLOCK, VK_CAPITAL, 0x3A},
    {SDL_SCANCODE_F11, VK_F11, 0x57},
    {SDL_SCANCODE_F12, VK_F12, 0x58},
    {SDL_SCANCODE_INSERT, VK_INSERT, 0x152},
    {SDL_SCANCODE_HOME, VK_HOME, 0x147},
    {SDL_SCANCODE_PAGEUP, VK_PRIOR, 0x149},
    {SDL_SCANCODE_DELETE, VK_DELETE, 0x153},
    {SDL_SCANCODE_END, VK_END, 0x14F},
    {SDL_SCANCODE_PAGEDOWN, VK_NEXT, 0x151},
    {SDL_SCANCODE_RIGHT, VK_RIGHT, 0x14D},
    {SDL_SCANCODE_LEFT, VK_LEFT, 0x14B},
    {SDL_SCANCODE_DOWN, VK_DOWN, 0x150},
    {SDL_SCANCODE_UP, VK_UP, 0x148},
    {SDL_SCANCODE_LCTRL, VK_CONTROL, 0x1D},
    {SDL_SCANCODE_LSHIFT, VK_SHIFT, 0x2A},
    {SDL_SCANCODE_LALT, VK_MENU, 0x38},
    {SDL_SCANCODE_RCTRL, VK_CONTROL, 0x11D},
    {SDL_SCANCODE_RSHIFT, VK_SHIFT, 0x36},
    {SDL_SCANCODE_RALT, VK_MENU, 0x138},
};

// Set-1 scan codes of the letters A to Z.
constexpr int LETTER_SCANS[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                  0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                  0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};

} // namespace

bool windows_key(SDL_Scancode scancode, int &virtual_key, int &scan_code) {
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
        int i = scancode - SDL_SCANCODE_A;
        virtual_key = 'A' + i;
        scan_code = LETTER_SCANS[i];
        return true;
    }
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_0) { // 1..9, then 0
        int i = scancode - SDL_SCANCODE_1;
        virtual_key = i == 9 ? '0' : '1' + i;
        scan_code = 0x02 + i;
        return true;
    }
    if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F10) {
        int i = scancode - SDL_SCANCODE_F1;
        virtual_key = VK_F1 + i;
        scan_code = 0x3B + i;
        return true;
    }
    for (const Key &k : KEYS) {
        if (k.sdl != scancode) continue;
        virtual_key = k.vk;
        scan_code = k.scan;
        return true;
    }
    return false;
}

} // namespace sdl_display
