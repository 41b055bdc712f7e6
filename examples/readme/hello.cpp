// A sun that follows your clicks; type any key to change its colour.
#include <korva/gfx.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line,
                   int show_mode) {
    gfx_open(instance, previous_instance, command_line, show_mode);
    gfx_logging(0); // no description of every drawing call in the text window
    int sun_x = 0, sun_y = 0, color = YELLOW;
    for (;;) {
        gfx_clear();
        gfx_circle(color, sun_x, sun_y, 40);
        gfx_text(BLACK, -280, 210, 16, "Click to move the sun, type to change its colour");
        int x, y;
        char key;
        int event = gfx_await_event(x, y, key); // shows the picture, then waits
        if (event == EVENT_QUIT) break;         // window closed, or Run > Quit (Ctrl+Q)
        if (event == EVENT_MOUSE) {
            sun_x = x;
            sun_y = y;
            gfx_log("sun at (%d,%d)\n", x, y);
        }
        // RED to GRAY_20: never BLACK, the text's colour, nor WHITE, the background's.
        if (event == EVENT_KBD) color = RED + (unsigned char)key % (NUM_COLORS - RED);
    }
    gfx_close();
    return 0;
}
