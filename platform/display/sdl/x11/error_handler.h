// X errors that SDL provokes on its own and that must not end the program, and the end of the
// connection to the X server.
#pragma once

namespace sdl_display {

// SDL2 wakes a waiting program by sending an event to one of its windows over a second
// connection. When that window is destroyed at the same moment (a window's close box answered
// at once), the server may see the destruction first and reject the wake-up with BadWindow, and
// Xlib's default handling of an error is to end the process. Other requests about a window can
// race with its destruction the same way (at the end of the program, for instance). After this
// call every BadWindow error is ignored; other errors are handled as before. Call it before
// SDL's video starts: SDL puts back the handler it found when it ends, before it closes its
// connections, and an error still on its way is read as they close.
void ignore_sends_to_vanished_windows();

// When the connection to the X server breaks (the server ended), Xlib cannot go on and ends the
// process. From this call on, `handler` runs first, once, and the process then ends at once with
// status 1, without the destructors that would talk to the vanished server.
void when_connection_lost(void (*handler)());

} // namespace sdl_display
