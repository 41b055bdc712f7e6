// SDL's physical keys as Windows virtual keys and set-1 scan codes.
#pragma once

#include <SDL.h>

namespace sdl_display {

// False for keys that have no Windows counterpart here.
bool windows_key(SDL_Scancode scancode, int &virtual_key, int &scan_code);

} // namespace sdl_display
