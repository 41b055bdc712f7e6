// An X error that SDL provokes on its own and that must not end the program.
#pragma once

namespace sdl_display {

// SDL2 wakes a waiting program by sending an event to one of its windows over a second
// connection. When that window is destroyed at the same moment (a window's close box answered
// at once), the server may see the destruction first and reject the wake-up with BadWindow, and
// Xlib's default handling of an error is to end the process. After this call such a rejected
// send is ignored; every other error is handled as before. Call it after SDL's video is up.
void ignore_sends_to_vanished_windows();

} // namespace sdl_display
