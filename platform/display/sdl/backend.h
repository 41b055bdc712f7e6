// The SDL display's backend, made once SDL's video runs: the windows, presenting and input
// (sdl_display.cpp). Opening the video is sdl_open.cpp's.
#pragma once

#include "platform/display/display.h"
#include "platform/display/sdl/window_system.h"

#include <SDL.h>

#include <memory>

namespace sdl_display {

// Every content pixel is shown as a `scale` x `scale` square; `screen` is the primary screen, in
// screen pixels.
std::unique_ptr<display::Backend> make_backend(int scale, const SDL_Rect &screen,
                                               WindowSystem system);

} // namespace sdl_display
