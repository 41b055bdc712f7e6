// The window system beneath SDL when the display is built without X11: nothing beyond SDL.
#include "platform/display/sdl/window_system.h"

namespace sdl_display {

void prepare_window_system() {}

WindowSystem window_system(const char *) {
    return WindowSystem{};
}

void when_window_system_lost(void (*)()) {}

} // namespace sdl_display
