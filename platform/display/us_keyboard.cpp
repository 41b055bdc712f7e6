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

} // namespace display
