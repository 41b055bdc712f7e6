// The US keyboard: its characters, for backends that have no layout of their own, and the codes
// of its keys that every backend shares.
#pragma once

namespace display {

// The character that virtual key `vk` gives on a US keyboard, or 0. Caps Lock affects letters
// only; Shift gives the upper row of each key.
unsigned char us_key_character(int vk, bool shift, bool caps_lock);

// The character Windows gives virtual key `vk` on every layout (Enter, Backspace, Tab, Escape,
// Space), or 0.
unsigned char fixed_character(int vk);

// The virtual key of the US typing key whose unshifted character is `c` (a letter, in either
// case, or punctuation), or 0.
int us_virtual_key_of(unsigned c);

// Set-1 scan codes of the letter keys A to Z.
extern const int LETTER_SCAN_CODES[26];

// A keypad digit key: its virtual key when it types the digit (Num Lock on), else that of the
// cursor key it is marked with; the keypad's own (not extended) scan code either way.
struct KeypadKey {
    int digit_vk;
    int cursor_vk;
    int scan;
};

// The keypad's keys 0 to 9.
extern const KeypadKey KEYPAD_KEYS[10];

} // namespace display
