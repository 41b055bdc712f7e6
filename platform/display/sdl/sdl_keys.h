// SDL's physical keys as Windows virtual keys and set-1 scan codes.
#pragma once

#include <SDL.h>

namespace sdl_display {

struct WindowsKey {
    int virtual_key = 0;
    int scan_code = 0; // set 1; bit 8 marks an extended key
};

// The Windows key for a physical key. `layout_key` is what the key types unshifted in the
// current layout (SDL_GetKeyFromScancode): a key that types a letter has that letter's virtual
// key, as under Windows, so that Ctrl+A is the key labelled A on any Latin layout. `num_lock`
// decides whether the keypad gives digits or cursor keys. False for keys Windows has no code for.
bool windows_key(SDL_Scancode scancode, SDL_Keycode layout_key, bool num_lock, WindowsKey &key);

} // namespace sdl_display
