// The physical keys of a PC keyboard: SDL's scan codes, Windows' virtual keys and set-1 scan
// codes (0x100 marks an extended key). Keys are named by their US positions; the letters follow
// the layout, as Windows' virtual keys do. What a key types is the layout's business
// (key_character).
#include "platform/display/sdl/sdl_keys.h"
#include "platform/display/us_keyboard.h"
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
    {SDL_SCANCODE_CAPSLOCK, VK_CAPITAL, 0x3A},
    {SDL_SCANCODE_F11, VK_F11, 0x57},
    {SDL_SCANCODE_F12, VK_F12, 0x58},
    {SDL_SCANCODE_PRINTSCREEN, VK_SNAPSHOT, 0x137},
    {SDL_SCANCODE_SCROLLLOCK, VK_SCROLL, 0x46},
    {SDL_SCANCODE_PAUSE, VK_PAUSE, 0x45},
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
    {SDL_SCANCODE_NUMLOCKCLEAR, VK_NUMLOCK, 0x145},
    {SDL_SCANCODE_KP_DIVIDE, VK_DIVIDE, 0x135},
    {SDL_SCANCODE_KP_MULTIPLY, VK_MULTIPLY, 0x37},
    {SDL_SCANCODE_KP_MINUS, VK_SUBTRACT, 0x4A},
    {SDL_SCANCODE_KP_PLUS, VK_ADD, 0x4E},
    {SDL_SCANCODE_KP_ENTER, VK_RETURN, 0x11C},
    {SDL_SCANCODE_LCTRL, VK_CONTROL, 0x1D},
    {SDL_SCANCODE_LSHIFT, VK_SHIFT, 0x2A},
    {SDL_SCANCODE_LALT, VK_MENU, 0x38},
    {SDL_SCANCODE_LGUI, VK_LWIN, 0x15B},
    {SDL_SCANCODE_RCTRL, VK_CONTROL, 0x11D},
    {SDL_SCANCODE_RSHIFT, VK_SHIFT, 0x36},
    {SDL_SCANCODE_RALT, VK_MENU, 0x138},
    {SDL_SCANCODE_RGUI, VK_RWIN, 0x15C},
    {SDL_SCANCODE_APPLICATION, VK_APPS, 0x15D},
};

// The typing keys besides letters and digits, with their US virtual keys.
struct TypingKey {
    SDL_Scancode sdl;
    int vk;
    int scan;
};

constexpr TypingKey PUNCTUATION[] = {
    {SDL_SCANCODE_MINUS, VK_OEM_MINUS, 0x0C},
    {SDL_SCANCODE_EQUALS, VK_OEM_PLUS, 0x0D},
    {SDL_SCANCODE_LEFTBRACKET, VK_OEM_4, 0x1A},
    {SDL_SCANCODE_RIGHTBRACKET, VK_OEM_6, 0x1B},
    {SDL_SCANCODE_BACKSLASH, VK_OEM_5, 0x2B},
    {SDL_SCANCODE_NONUSHASH, VK_OEM_5, 0x2B},
    {SDL_SCANCODE_SEMICOLON, VK_OEM_1, 0x27},
    {SDL_SCANCODE_APOSTROPHE, VK_OEM_7, 0x28},
    {SDL_SCANCODE_GRAVE, VK_OEM_3, 0x29},
    {SDL_SCANCODE_COMMA, VK_OEM_COMMA, 0x33},
    {SDL_SCANCODE_PERIOD, VK_OEM_PERIOD, 0x34},
    {SDL_SCANCODE_SLASH, VK_OEM_2, 0x35},
    {SDL_SCANCODE_NONUSBACKSLASH, VK_OEM_102, 0x56},
};

// A typing key's virtual key follows what it types, as under Windows: the letter, or the code
// of the US key that types the same character (the M key of a French layout types a comma);
// a key that types something no US key types keeps the code of its position.
int typing_key_vk(int positional_vk, SDL_Keycode layout_key) {
    if (int vk = display::us_virtual_key_of(unsigned(layout_key))) return vk;
    return positional_vk;
}

} // namespace

bool windows_key(SDL_Scancode scancode, SDL_Keycode layout_key, bool num_lock, WindowsKey &key) {
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
        int i = scancode - SDL_SCANCODE_A;
        key.virtual_key = typing_key_vk('A' + i, layout_key);
        key.scan_code = display::LETTER_SCAN_CODES[i];
        return true;
    }
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_0) { // 1..9, then 0
        // The digit row keeps its digit codes on every layout, French included.
        int i = scancode - SDL_SCANCODE_1;
        key.virtual_key = i == 9 ? '0' : '1' + i;
        key.scan_code = 0x02 + i;
        return true;
    }
    for (const TypingKey &k : PUNCTUATION) {
        if (k.sdl != scancode) continue;
        key.virtual_key = typing_key_vk(k.vk, layout_key);
        key.scan_code = k.scan;
        return true;
    }
    if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F10) {
        int i = scancode - SDL_SCANCODE_F1;
        key.virtual_key = VK_F1 + i;
        key.scan_code = 0x3B + i;
        return true;
    }
    if (scancode >= SDL_SCANCODE_F13 && scancode <= SDL_SCANCODE_F24) {
        int i = scancode - SDL_SCANCODE_F13;
        key.virtual_key = VK_F13 + i;
        key.scan_code = i < 11 ? 0x64 + i : 0x76;
        return true;
    }
    if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_0) {
        // SDL's keypad runs 1 to 9, then 0.
        const display::KeypadKey &k = display::KEYPAD_KEYS[(scancode - SDL_SCANCODE_KP_1 + 1) % 10];
        key.virtual_key = num_lock ? k.digit_vk : k.cursor_vk;
        key.scan_code = k.scan;
        return true;
    }
    if (scancode == SDL_SCANCODE_KP_PERIOD) {
        key.virtual_key = num_lock ? VK_DECIMAL : VK_DELETE;
        key.scan_code = 0x53;
        return true;
    }
    for (const Key &k : KEYS) {
        if (k.sdl != scancode) continue;
        key.virtual_key = k.vk;
        key.scan_code = k.scan;
        return true;
    }
    return false;
}

} // namespace sdl_display
