// An X error about a window that is already gone, read only as the program ends, must not end it
// with a failure. SDL closes its connections after it has put back the error handler it found at
// its start; a wake-up it sent to a window destroyed a moment before is rejected, and the error
// is read as the connection closes. A connection of our own stands in for SDL's: its rejected
// request is read when it closes, after the display has ended. Exits 0 when the program lives
// through it; Xlib's default handling ends the process with status 1.
#include "platform/display/sdl/sdl_display.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <string>

int main() {
    std::string error;
    std::unique_ptr<display::Backend> backend = sdl_display::open(error);
    if (!backend) {
        std::fprintf(stderr, "late_x11_error: no display: %s\n", error.c_str());
        return 2;
    }
    display::Placement placement;
    placement.width = placement.height = 100;
    if (!backend->create_window("late X error", placement, false)) return 2;

    Display *connection = XOpenDisplay(nullptr);
    if (!connection) return 2;
    Window gone =
        XCreateSimpleWindow(connection, DefaultRootWindow(connection), 0, 0, 1, 1, 0, 0, 0);
    XDestroyWindow(connection, gone);
    XEvent wake_up{};
    wake_up.xclient.type = ClientMessage;
    wake_up.xclient.window = gone;
    wake_up.xclient.format = 32;
    XSendEvent(connection, gone, False, NoEventMask, &wake_up);
    XFlush(connection); // sent, but the answer stays unread

    backend.reset(); // the display ends as the program's end ends it
    XCloseDisplay(connection);
    std::puts("late_x11_error: the program lived through the late error");
    return 0;
}
