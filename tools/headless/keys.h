// Keys of a US keyboard for the headless runner: names and combinations, scan codes, the key
// that types a character, and pressing keys on the virtual display.
#pragma once

#include "platform/display/virtual/virtual_display.h"

#include <string>
#include <vector>

namespace headless {

struct Key {
    int virtual_key = 0;
    int scan_code = 0; // set 1; bit 8 marks an extended key
};

// A key by its name in action files: a letter or digit, f1..f12, return, escape, tab, space,
// backspace, up, down, left, right, home, end, pageup, pagedown, insert, delete, numpad0..9,
// and the modifiers ctrl, shift, alt. False for an unknown name.
bool key_by_name(const std::string &name, Key &key);

// A key combination as action files write it: key names joined by '+', in any case ("ctrl+h",
// "alt+r", "f10", "return"). Appends the modifiers in order, then the key. False if a name is
// unknown or there is none.
bool parse_combo(const std::string &combo, std::vector<Key> &keys);

// Presses `keys` on the virtual display: the modifiers go down in order, then the key; they
// come up in reverse.
void press(virtual_display::Display &display, const std::vector<Key> &keys);

// The scan code of a virtual key on a US keyboard (0 if it has none).
int scan_code_of(int virtual_key);

// The key, and whether Shift is needed, that types `character` on a US keyboard. False if no
// key gives it.
bool key_for_character(unsigned char character, Key &key, bool &shift);

} // namespace headless
