#include "tools/headless/keys.h"

#include "platform/display/us_keyboard.h"
#include "platform/win.h"

#include <cctype>
#include <sstream>

namespace headless {

namespace {

struct NamedKey {
    const char *name;
    int virtual_key;
};

const NamedKey NAMED_KEYS[] = {
    {"return", VK_RETURN}, {"enter", VK_RETURN}, {"escape", VK_ESCAPE},   {"esc", VK_ESCAPE},
    {"tab", VK_TAB},       {"space", VK_SPACE},  {"backspace", VK_BACK},  {"up", VK_UP},
    {"down", VK_DOWN},     {"left", VK_LEFT},    {"right", VK_RIGHT},     {"home", VK_HOME},
    {"end", VK_END},       {"pageup", VK_PRIOR}, {"pagedown", VK_NEXT},   {"insert", VK_INSERT},
    {"delete", VK_DELETE}, {"ctrl", VK_CONTROL}, {"control", VK_CONTROL}, {"shift", VK_SHIFT},
    {"alt", VK_MENU},
};

// Set-1 scan codes; the extended ones carry 0x100.
struct ScanCode {
    int virtual_key;
    int scan_code;
};

const ScanCode SCAN_CODES[] = {
    {VK_ESCAPE, 0x01},   {VK_BACK, 0x0E},      {VK_TAB, 0x0F},        {VK_RETURN, 0x1C},
    {VK_CONTROL, 0x1D},  {VK_SHIFT, 0x2A},     {VK_MENU, 0x38},       {VK_SPACE, 0x39},
    {VK_CAPITAL, 0x3A},  {VK_OEM_MINUS, 0x0C}, {VK_OEM_PLUS, 0x0D},   {VK_OEM_4, 0x1A},
    {VK_OEM_6, 0x1B},    {VK_OEM_1, 0x27},     {VK_OEM_7, 0x28},      {VK_OEM_3, 0x29},
    {VK_OEM_5, 0x2B},    {VK_OEM_COMMA, 0x33}, {VK_OEM_PERIOD, 0x34}, {VK_OEM_2, 0x35},
    {VK_MULTIPLY, 0x37}, {VK_NUMPAD7, 0x47},   {VK_NUMPAD8, 0x48},    {VK_NUMPAD9, 0x49},
    {VK_SUBTRACT, 0x4A}, {VK_NUMPAD4, 0x4B},   {VK_NUMPAD5, 0x4C},    {VK_NUMPAD6, 0x4D},
    {VK_ADD, 0x4E},      {VK_NUMPAD1, 0x4F},   {VK_NUMPAD2, 0x50},    {VK_NUMPAD3, 0x51},
    {VK_NUMPAD0, 0x52},  {VK_DECIMAL, 0x53},   {VK_HOME, 0x147},      {VK_UP, 0x148},
    {VK_PRIOR, 0x149},   {VK_LEFT, 0x14B},     {VK_RIGHT, 0x14D},     {VK_END, 0x14F},
    {VK_DOWN, 0x150},    {VK_NEXT, 0x151},     {VK_INSERT, 0x152},    {VK_DELETE, 0x153},
    {VK_DIVIDE, 0x135},
};

// Letter keys by row, from their first scan code.
const char *const LETTER_ROWS[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
const int LETTER_ROW_STARTS[] = {0x10, 0x1E, 0x2C};

std::string lower(std::string s) {
    for (char &c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

int scan_code_of(int virtual_key) {
    for (int row = 0; row < 3; row++)
        for (int i = 0; LETTER_ROWS[row][i]; i++)
            if (LETTER_ROWS[row][i] == virtual_key) return LETTER_ROW_STARTS[row] + i;
    if (virtual_key >= '1' && virtual_key <= '9') return 0x02 + (virtual_key - '1');
    if (virtual_key == '0') return 0x0B;
    if (virtual_key >= VK_F1 && virtual_key <= VK_F10) return 0x3B + (virtual_key - VK_F1);
    if (virtual_key == VK_F11) return 0x57;
    if (virtual_key == VK_F12) return 0x58;
    for (const ScanCode &s : SCAN_CODES)
        if (s.virtual_key == virtual_key) return s.scan_code;
    return 0;
}

bool key_by_name(const std::string &name, Key &key) {
    int vk = 0;
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
        vk = std::toupper(static_cast<unsigned char>(name[0]));
    } else if (name.size() >= 2 && name.size() <= 3 && name[0] == 'f' &&
               std::isdigit(static_cast<unsigned char>(name[1]))) {
        int n = std::stoi(name.substr(1));
        if (n >= 1 && n <= 12) vk = VK_F1 + n - 1;
    } else if (name.size() == 7 && name.rfind("numpad", 0) == 0 &&
               std::isdigit(static_cast<unsigned char>(name[6]))) {
        vk = VK_NUMPAD0 + (name[6] - '0');
    } else {
        for (const NamedKey &k : NAMED_KEYS)
            if (name == k.name) vk = k.virtual_key;
    }
    if (!vk) return false;
    key.virtual_key = vk;
    key.scan_code = scan_code_of(vk);
    return true;
}

bool parse_combo(const std::string &combo, std::vector<Key> &keys) {
    std::stringstream parts(lower(combo));
    std::string name;
    while (std::getline(parts, name, '+')) {
        Key key;
        if (!key_by_name(name, key)) return false;
        keys.push_back(key);
    }
    return !keys.empty();
}

void press(virtual_display::Display &display, const std::vector<Key> &keys) {
    for (const Key &key : keys) display.key_down(key.virtual_key, key.scan_code);
    for (auto key = keys.rbegin(); key != keys.rend(); ++key)
        display.key_up(key->virtual_key, key->scan_code);
}

bool key_for_character(unsigned char character, Key &key, bool &shift) {
    // Keys that type printable text, tried in this order: letters, the top row of digits, the
    // punctuation keys, space.
    static const int candidates[] = {VK_SPACE,     VK_OEM_1,      VK_OEM_PLUS, VK_OEM_COMMA,
                                     VK_OEM_MINUS, VK_OEM_PERIOD, VK_OEM_2,    VK_OEM_3,
                                     VK_OEM_4,     VK_OEM_5,      VK_OEM_6,    VK_OEM_7};
    auto try_key = [&](int vk) {
        for (bool with_shift : {false, true})
            if (display::us_key_character(vk, with_shift, false) == character) {
                key.virtual_key = vk;
                key.scan_code = scan_code_of(vk);
                shift = with_shift;
                return true;
            }
        return false;
    };
    for (int vk = 'A'; vk <= 'Z'; vk++)
        if (try_key(vk)) return true;
    for (int vk = '0'; vk <= '9'; vk++)
        if (try_key(vk)) return true;
    for (int vk : candidates)
        if (try_key(vk)) return true;
    return false;
}

} // namespace headless
