// A small client of the package for testing the headless runner: it animates and logs every
// event it receives, one line each.
#include "gfx/gfx.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line,
                   int show_mode) {
    gfx_open(instance, previous_instance, command_line, show_mode);
    gfx_logging(0);
    gfx_animate(ANIMATE_RUN);
    if (command_line[0]) gfx_log("command line %s\n", command_line);
    int ticks = 0;
    for (;;) {
        int x = 0, y = 0;
        char key = 0;
        int kind = gfx_await_event(x, y, key);
        if (kind == EVENT_PERIODIC) {
            ticks++;
            continue;
        }
        // Ticks are counted, not logged one by one, so that a log reads as the input it saw.
        if (ticks) gfx_log("ticks %d\n", ticks);
        ticks = 0;
        if (kind == EVENT_MOUSE) gfx_log("mouse %d %d\n", x, y);
        if (kind == EVENT_KBD) gfx_log("key %d\n", static_cast<unsigned char>(key));
        if (kind == EVENT_QUIT) break;
    }
    gfx_log("quit\n");
    gfx_close();
    return 7;
}
