// Bouncing ball: a ball flies across the window and bounces off its edges.
//   w, a, s, d   push the ball up, left, down, right
//   space        stop it
//   click        put it where you click
// The Run menu halts (Ctrl+H) and restarts (Ctrl+A) the animation; Ctrl+Q or closing the
// window ends the program.
#include <korva/gfx.h>

// The part of the canvas that the window shows.
const int LEFT = -297;
const int RIGHT = 297;
const int BOTTOM = -240;
const int TOP = 240;

const int RADIUS = 15;
const int MAX_SPEED = 30;

int limit(int value, int low, int high) {
    if (value < low) return low;
    if (value > high) return high;
    return value;
}

void draw_picture(int x, int y, int speed_x, int speed_y) {
    gfx_clear();
    gfx_rectangle(ICE_BLUE, LEFT, TOP, RIGHT, BOTTOM + 30, 0);
    gfx_rectangle(FOREST_GREEN, LEFT, BOTTOM + 29, RIGHT, BOTTOM, 0);
    gfx_circle(ORANGE, x, y, RADIUS);
    gfx_oval(BROWN, x - RADIUS, y + RADIUS, x + RADIUS, y - RADIUS, 2);
    gfx_printf(NAVY_BLUE, LEFT + 10, TOP - 20, 14, "speed %d, %d", speed_x, speed_y);
    gfx_text(WHITE, LEFT + 10, BOTTOM + 9, 14, "w a s d: push    space: stop    click: move");
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line,
                   int show_mode) {
    gfx_open(instance, previous_instance, command_line, show_mode);
    gfx_logging(0);           // keep the drawing calls out of the text window
    gfx_animate(ANIMATE_RUN); // an EVENT_PERIODIC about every 100 ms

    int x = 0, y = 0;
    int speed_x = 7, speed_y = 5;
    draw_picture(x, y, speed_x, speed_y);
    for (;;) {
        int event_x = 0, event_y = 0;
        char key = 0;
        int event = gfx_await_event(event_x, event_y, key);
        if (event == EVENT_QUIT) break;

        if (event == EVENT_PERIODIC) {
            x += speed_x;
            y += speed_y;
            // At an edge the ball turns round: its speed towards that edge changes sign.
            if (x < LEFT + RADIUS || x > RIGHT - RADIUS) {
                x = limit(x, LEFT + RADIUS, RIGHT - RADIUS);
                speed_x = -speed_x;
                gfx_log("bounce at (%d,%d)\n", x, y);
            }
            if (y < BOTTOM + 30 + RADIUS || y > TOP - RADIUS) {
                y = limit(y, BOTTOM + 30 + RADIUS, TOP - RADIUS);
                speed_y = -speed_y;
                gfx_log("bounce at (%d,%d)\n", x, y);
            }
        }
        if (event == EVENT_MOUSE) {
            x = limit(event_x, LEFT + RADIUS, RIGHT - RADIUS);
            y = limit(event_y, BOTTOM + 30 + RADIUS, TOP - RADIUS);
        }
        if (event == EVENT_KBD) {
            if (key == 'a') speed_x -= 2;
            if (key == 'd') speed_x += 2;
            if (key == 'w') speed_y += 2;
            if (key == 's') speed_y -= 2;
            if (key == ' ') speed_x = speed_y = 0;
            speed_x = limit(speed_x, -MAX_SPEED, MAX_SPEED);
            speed_y = limit(speed_y, -MAX_SPEED, MAX_SPEED);
        }
        draw_picture(x, y, speed_x, speed_y);
    }
    gfx_close();
    return 0;
}
