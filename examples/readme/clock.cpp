// A stopwatch: its hand turns one step on every tick, and the time is counted in ticks, ten a
// second. Click to give the hand another colour; type any key to stop or restart the clock.
#include <korva/gfx.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line,
                   int show_mode) {
    gfx_open(instance, previous_instance, command_line, show_mode);
    gfx_logging(0);
    gfx_animate(ANIMATE_RUN); // the ticks start: without this no EVENT_PERIODIC ever comes
    srand(1);                 // a fixed seed: the same colours on every run, and in a replay
    int ticks = 0;            // the program's clock, instead of the wall clock's time()
    int color = NAVY_BLUE;
    bool running = true;
    for (;;) {
        // One turn a minute: 600 ticks.
        double angle = (ticks % 600) * 3.14159265358979 / 300;
        int hand_x = int(std::lround(140 * std::sin(angle)));
        int hand_y = 20 + int(std::lround(140 * std::cos(angle)));
        char reading[32];
        int length = std::snprintf(reading, sizeof reading, "%d.%d s", ticks / 10, ticks % 10);

        gfx_clear();
        gfx_circle(GRAY_20, 0, 20, 160);
        gfx_circle(WHITE, 0, 20, 150);
        gfx_line(color, 0, 20, hand_x, hand_y, 6);
        // Centred under the dial: a character is about half the point size wide.
        gfx_text(BLACK, -length * 24 / 4, -200, 24, reading);

        int x, y;
        char key;
        int event = gfx_await_event(x, y, key);
        if (event == EVENT_QUIT) break;
        if (event == EVENT_PERIODIC) ticks++; // one tick: 100 ms
        if (event == EVENT_MOUSE) color = RED + rand() % (NUM_COLORS - RED);
        if (event == EVENT_KBD) {
            running = !running; // halted, no ticks come and the time stands still
            gfx_animate(running ? ANIMATE_RUN : ANIMATE_HALT);
            gfx_log("%s at %s\n", running ? "started" : "stopped", reading);
        }
    }
    gfx_close();
    return 0;
}
