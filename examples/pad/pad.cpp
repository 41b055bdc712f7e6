// Drawing pad: each click draws a line from the last point to the new one.
//   0 to 9   pick the pen's colour from the palette's first ten (0 black, 1 white rubs out,
//            2 red, 3 green, 4 blue, ...)
//   + and -  make the pen wider and narrower
//   n        lift the pen: the next click starts a new line
//   c        start a new page
// To record a drawing and play it back, use the Run menu: Record Script (Ctrl+R) writes every
// click and key to the file KORVA.SCR until you choose it again; then start a new page with c
// and choose Playback Script (Ctrl+P): the pad receives the same events and draws it again.
#include <korva/gfx.h>

// The part of the canvas that the window shows.
const int LEFT = -297;
const int RIGHT = 297;
const int TOP = 240;

// The strip at the top shows the pen.
void draw_pen(int color, int width) {
    gfx_rectangle(CHALK, LEFT, TOP, RIGHT, TOP - 25, 0);
    gfx_line(color, LEFT + 10, TOP - 12, LEFT + 60, TOP - 12, width);
    gfx_printf(BLACK, LEFT + 75, TOP - 18, 13,
               "width %d    0-9: colour   + -: width   n: new line   c: new page", width);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line,
                   int show_mode) {
    gfx_open(instance, previous_instance, command_line, show_mode);
    gfx_logging(0); // keep the drawing calls out of the text window
    // The animation stays halted: the pad waits for clicks and keys only.

    int color = BLACK, width = 3;
    bool pen_down = false;
    int last_x = 0, last_y = 0;
    gfx_clear();
    draw_pen(color, width);
    for (;;) {
        int x = 0, y = 0;
        char key = 0;
        int event = gfx_await_event(x, y, key);
        if (event == EVENT_QUIT) break;

        if (event == EVENT_MOUSE) {
            if (pen_down)
                gfx_line(color, last_x, last_y, x, y, width);
            else
                gfx_circle(color, x, y, width / 2);
            gfx_log("point (%d,%d)\n", x, y);
            last_x = x;
            last_y = y;
            pen_down = true;
        }
        if (event == EVENT_KBD) {
            if (key >= '0' && key <= '9') color = key - '0';
            if (key == '+' && width < 20) width++;
            if (key == '-' && width > 1) width--;
            if (key == 'n') pen_down = false;
            // A new page starts as the program did, so that a recording made from it plays
            // back the same.
            if (key == 'c') {
                color = BLACK;
                width = 3;
                pen_down = false;
                gfx_clear();
                gfx_log("new page\n");
            }
            draw_pen(color, width);
        }
    }
    gfx_close();
    return 0;
}
