// The physical keys of a PC keyboard by their DOM codes: Windows' virtual keys and set-1 scan
// codes (0x100 marks an extended key). Keys are named by their US positions; letters and
// punctuation take the virtual key of what the layout types, as Windows' virtual keys do.
#include "platform/display/us_keyboard.h"
#include "platform/display/web/web_input.h"
#include "platform/win.h"

#include <cstring>

namespace web_display {

namespace {

struct Key {
    const char *code;
    int vk;
    int scan;
};

constexpr Key KEYS[] = {
    {"Enter", VK_RETURN, 0x1C},
    {"Escape", VK_ESCAPE, 0x01},
    {"Backspace", VK_BACK, 0x0E},
    {"Tab", VK_TAB, 0x0F},
    {"Space", VK_SPACE, 0x39},
    {"CapsLock", VK_CAPITAL, 0x3A},
    {"F11", VK_F11, 0x57},
    {"F12", VK_F12, 0x58},
    {"PrintScreen", VK_SNAPSHOT, 0x137},
    {"ScrollLock", VK_SCROLL, 0x46},
    {"Pause", VK_PAUSE, 0x45},
    {"Insert", VK_INSERT, 0x152},
    {"Home", VK_HOME, 0x147},
    {"PageUp", VK_PRIOR, 0x149},
    {"Delete", VK_DELETE, 0x153},
    {"End", VK_END, 0x14F},
    {"PageDown", VK_NEXT, 0x151},
    {"ArrowRight", VK_RIGHT, 0x14D},
    {"ArrowLeft", VK_LEFT, 0x14B},
    {"ArrowDown", VK_DOWN, 0x150},
    {"ArrowUp", VK_UP, 0x148},
    {"NumLock", VK_NUMLOCK, 0x145},
    {"NumpadDivide", VK_DIVIDE, 0x135},
    {"NumpadMultiply", VK_MULTIPLY, 0x37},
    {"NumpadSubtract", VK_SUBTRACT, 0x4A},
    {"NumpadAdd", VK_ADD, 0x4E},
    {"NumpadEnter", VK_RETURN, 0x11C},
    {"ControlLeft", VK_CONTROL, 0x1D},
    {"ShiftLeft", VK_SHIFT, 0x2A},
    {"AltLeft", VK_MENU, 0x38},
    {"MetaLeft", VK_LWIN, 0x15B},
    {"ControlRight", VK_CONTROL, 0x11D},
    {"ShiftRight", VK_SHIFT, 0x36},
    {"AltRight", VK_MENU, 0x138},
    {"MetaRight", VK_RWIN, 0x15C},
    {"ContextMenu", VK_APPS, 0x15D},
};

// The typing keys besides letters and digits, with their US virtual keys.
constexpr Key PUNCTUATION[] = {
    {"Minus", VK_OEM_MINUS, 0x0C},   {"Equal", VK_OEM_PLUS, 0x0D},
    {"BracketLeft", VK_OEM_4, 0x1A}, {"BracketRight", VK_OEM_6, 0x1B},
    {"Backslash", VK_OEM_5, 0x2B},   {"Semicolon", VK_OEM_1, 0x27},
    {"Quote", VK_OEM_7, 0x28},       {"Backquote", VK_OEM_3, 0x29},
    {"Comma", VK_OEM_COMMA, 0x33},   {"Period", VK_OEM_PERIOD, 0x34},
    {"Slash", VK_OEM_2, 0x35},       {"IntlBackslash", VK_OEM_102, 0x56},
};

bool starts_with(const std::string &text, const char *prefix, std::string &rest) {
    size_t length = std::strlen(prefix);
    if (text.compare(0, length, prefix) != 0) return false;
    rest = text.substr(length);
    return true;
}

bool numbered_key(const std::string &code, unsigned character, int &vk, int &scan) {
    std::string rest;
    if (starts_with(code, "Key", rest) && rest.size() == 1 && rest[0] >= 'A' && rest[0] <= 'Z') {
        int positional = rest[0];
        scan = display::LETTER_SCAN_CODES[positional - 'A'];
        int typed = display::us_virtual_key_of(character);
        vk = typed ? typed : positional;
        return true;
    }
    if (starts_with(code, "Digit", rest) && rest.size() == 1 && rest[0] >= '0' && rest[0] <= '9') {
        vk = rest[0];
        scan = rest[0] == '0' ? 0x0B : 0x02 + (rest[0] - '1');
        return true;
    }
    if (starts_with(code, "Numpad", rest) && rest.size() == 1 && rest[0] >= '0' && rest[0] <= '9') {
        const display::KeypadKey &k = display::KEYPAD_KEYS[rest[0] - '0'];
        vk = character ? k.digit_vk : k.cursor_vk;
        scan = k.scan;
        return true;
    }
    if (code == "NumpadDecimal") {
        vk = character ? VK_DECIMAL : VK_DELETE;
        scan = 0x53;
        return true;
    }
    if (starts_with(code, "F", rest) && !rest.empty() && rest.size() <= 2 &&
        rest.find_first_not_of("0123456789") == std::string::npos) {
        int n = std::stoi(rest);
        if (n < 1 || n > 10) return false;
        vk = VK_F1 + n - 1;
        scan = 0x3B + n - 1;
        return true;
    }
    return false;
}

} // namespace

bool windows_key(const std::string &code, unsigned character, int &virtual_key, int &scan_code) {
    for (const Key &k : KEYS) {
        if (code == k.code) {
            virtual_key = k.vk;
            scan_code = k.scan;
            return true;
        }
    }
    for (const Key &k : PUNCTUATION) {
        if (code == k.code) {
            int typed = display::us_virtual_key_of(character);
            virtual_key = typed ? typed : k.vk;
            scan_code = k.scan;
            return true;
        }
    }
    return numbered_key(code, character, virtual_key, scan_code);
}

} // namespace web_display
