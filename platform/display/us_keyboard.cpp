// The US keyboard layout's characters.
#include "platform/display/us_keyboard.h"
#include "platform/win.h"

namespace display {

unsigned char us_key_character(int vk, bool shift, bool caps_lock) {
    if (vk >= 'A' && vk <= 'Z') return (unsigned char)(shift != caps_lock ? vk : vk - 'A' + 'a');
    if (vk >= '0' && vk <= '9') return (unsigned char)(shift ? ")!@#$%^&*("[vk - '0'] : vk);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return (unsigned char)('0' + vk - VK_NUMPAD0);
    struct Key {
        int vk;
        char plain, shifted;
    };
    static const Key keys[] = {
        {VK_SPACE, ' ', ' '},      {VK_RETURN, '\r', '\r'},  {VK_ESCAPE, 0x1B, 0x1B},
        {VK_BACK, '\b', '\b'},     {VK_TAB, '\t', '\t'},     {VK_OEM_1, ';', ':'},
        {VK_OEM_PLUS, '=', '+'},   {VK_OEM_COMMA, ',', '<'}, {VK_OEM_MINUS, '-', '_'},
        {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},     {VK_OEM_3, '`', '~'},
        {VK_OEM_4, '[', '{'},      {VK_OEM_5, '\\', '|'},    {VK_OEM_6, ']', '}'},
        {VK_OEM_7, '\'', '"'},     {VK_MULTIPLY, '*', '*'},  {VK_ADD, '+', '+'},
        {VK_SUBTRACT, '-', '-'},   {VK_DECIMAL, '.', '.'},   {VK_DIVIDE, '/', '/'},
    };
    for (const Key &k : keys)
        if (k.vk == vk) return (unsigned char)(shift ? k.shifted : k.plain);
    return 0;
}

unsigned char fixed_character(int vk) {
    switch (vk) {
    case VK_RETURN: return '\r';
    case VK_BACK: return '\b';
    case VK_TAB: return '\t';
    case VK_ESCAPE: return 0x1B;
    case VK_SPACE: return ' ';
    default: return 0;
    }
}

int us_virtual_key_of(unsigned c) {
    if (c >= 'a' && c <= 'z') return int(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return int(c);
    static const int punctuation[] = {VK_OEM_MINUS, VK_OEM_PLUS,   VK_OEM_4, VK_OEM_6,
                                      VK_OEM_5,     VK_OEM_1,      VK_OEM_7, VK_OEM_3,
                                      VK_OEM_COMMA, VK_OEM_PERIOD, VK_OEM_2};
    for (int vk : punctuation)
        if (us_key_character(vk, false, false) == c) return vk;
    return 0;
}

const int LETTER_SCAN_CODES[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                   0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                   0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};

const KeypadKey KEYPAD_KEYS[10] = {
    {VK_NUMPAD0, VK_INSERT, 0x52}, {VK_NUMPAD1, VK_END, 0x4F},  {VK_NUMPAD2, VK_DOWN, 0x50},
    {VK_NUMPAD3, VK_NEXT, 0x51},   {VK_NUMPAD4, VK_LEFT, 0x4B}, {VK_NUMPAD5, VK_CLEAR, 0x4C},
    {VK_NUMPAD6, VK_RIGHT, 0x4D},  {VK_NUMPAD7, VK_HOME, 0x47}, {VK_NUMPAD8, VK_UP, 0x48},
    {VK_NUMPAD9, VK_PRIOR, 0x49},
};

} // namespace display
