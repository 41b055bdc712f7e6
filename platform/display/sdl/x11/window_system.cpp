// The window system beneath SDL on X11: Xlib's error handler, the made-up key events, Xft.dpi
// and the XKB layout.
#include "platform/display/sdl/window_system.h"
#include "platform/display/sdl/x11/error_handler.h"
#include "platform/display/sdl/x11/key_filter.h"
#include "platform/display/sdl/x11/xft_dpi.h"
#include "platform/display/sdl/x11/xkb_layout.h"

#include <cstring>

namespace sdl_display {

void prepare_window_system() {
    // SDL puts back, as it ends, the X error handler it found at its start, and only then closes
    // its connections, where an error about a window destroyed a moment before may still arrive:
    // the handler that lets such errors pass goes in first, so that it is the one SDL puts back.
    ignore_sends_to_vanished_windows();
}

WindowSystem window_system(const char *video_driver) {
    WindowSystem system;
    if (!video_driver || std::strcmp(video_driver, "x11") != 0) return system;
    system.made_up_key_events = mark_made_up_key_events();
    system.dpi = x_resource_dpi();
    system.layout = XkbLayout::from_x_server();
    return system;
}

void when_window_system_lost(void (*handler)()) {
    when_connection_lost(handler);
}

} // namespace sdl_display
