// Keys of a US keyboard for the headless runner: names, scan codes, and the key that types a
// character.
#pragma once

#include <string>

namespace headless {

struct Key {
    int virtual_key = 0;
    int scan_code = 0; // set 1; bit 8 marks an extended key
};

// A key by its name in action files: a letter or digit, f1..f12, return, escape, tab, space,
// backspace, up, down, left, right, home, end, pageup, pagedown, insert, delete, numpad0..9,
// and the modifiers ctrl, shift, alt. False for an unknown name.
bool key_by_name(const std::string &name, Key &key);

// The scan code of a virtual key on a US keyboard (0 if it has none).
int scan_code_of(int virtual_key);

// The key, and whether Shift is needed, that types `character` on a US keyboard. False if no
// key gives it.
bool key_for_character(unsigned char character, Key &key, bool &shift);

} // namespace headless
