// The X error handler that lets requests about vanished windows pass.
#include "platform/display/sdl/x11/error_handler.h"

#include <X11/Xlib.h>

namespace sdl_display {

namespace {

XErrorHandler previous_handler = nullptr;

int handle_error(Display *display, XErrorEvent *error) {
    // A request about a window that is already gone can only be a race with its destruction.
    if (error->error_code == BadWindow) return 0;
    return previous_handler ? previous_handler(display, error) : 0;
}

} // namespace

void ignore_sends_to_vanished_windows() {
    XErrorHandler current = XSetErrorHandler(handle_error);
    if (current != handle_error) previous_handler = current;
}

} // namespace sdl_display
