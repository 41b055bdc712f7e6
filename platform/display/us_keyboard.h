// The characters of the US keyboard layout, for backends that have no layout of their own.
#pragma once

namespace display {

// The character that virtual key `vk` gives on a US keyboard, or 0. Caps Lock affects letters
// only; Shift gives the upper row of each key.
unsigned char us_key_character(int vk, bool shift, bool caps_lock);

} // namespace display
