// The X error handler that lets requests about vanished windows pass, and the handler of a lost
// connection.
#include "platform/display/sdl/x11/error_handler.h"

#include <X11/Xlib.h>
#include <unistd.h>

namespace sdl_display {

namespace {

XErrorHandler previous_handler = nullptr;
void (*connection_lost_handler)() = nullptr;

int handle_error(Display *display, XErrorEvent *error) {
    // A request about a window that is already gone can only be a race with its destruction.
    if (error->error_code == BadWindow) return 0;
    return previous_handler ? previous_handler(display, error) : 0;
}

// Xlib ends the process when this returns, so it does not return. Should the handler meet the
// broken connection again, the second call ends the process at once.
int handle_connection_lost(Display *) {
    static bool ending = false;
    if (!ending && connection_lost_handler) {
        ending = true;
        connection_lost_handler();
    }
    _exit(1);
}

} // namespace

void ignore_sends_to_vanished_windows() {
    XErrorHandler current = XSetErrorHandler(handle_error);
    if (current != handle_error) previous_handler = current;
}

void when_connection_lost(void (*handler)()) {
    connection_lost_handler = handler;
    XSetIOErrorHandler(handle_connection_lost);
}

} // namespace sdl_display
