// The SDL display: real windows, real input, real time, through SDL2.
#pragma once

#include "platform/display/display.h"

#include <memory>
#include <string>

namespace sdl_display {

// Opens SDL's video subsystem. Null when no display can be opened, with SDL's reason in `error`.
std::unique_ptr<display::Backend> open(std::string &error);

} // namespace sdl_display
