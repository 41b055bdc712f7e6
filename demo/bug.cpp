// The bug figure and its walk. A bug is drawn around its foot point (x, y); it walks to the left
// and wraps back to the right edge when it would leave the scene.
#include "demo/demo.h"

// Wrap positions are measured from the scene's right edge.
constexpr int SCENE_HALF_WIDTH = 300;
constexpr int HOP_HEIGHT = 25;
// A hopping bug rises when steps reaches a multiple of 10, and drops at the other multiples of 5.
constexpr int HOP_UP_PERIOD = 10;
constexpr int HOP_DOWN_PERIOD = 5;
// A bug that never wraps (speed 0) counts steps forever; folding the count back by a multiple of
// HOP_UP_PERIOD keeps the hop rhythm and keeps the count from overflowing.
constexpr int STEPS_FOLD = 1000000000;
// A bug switched between gaits at the right moments climbs or sinks by one hop each time. Far
// outside the canvas the hops stop, so that y and the figure's coordinates cannot overflow.
constexpr int HOP_Y_LIMIT = 1000000;

int bug_width(int size) {
    return (int)(size * 2.5);
}

int wrap_position(int size) {
    return SCENE_HALF_WIDTH - bug_width(size) / 2;
}

void draw_bug(int x, int y, int size, int color) {
    const int s = size;
    // Height of the head's centre. The sum is truncated, not the product.
    const int b = (int)(y + s * 4.5);

    gfx_circle(color, x, b, s);                                                  // head
    gfx_line(BLACK, x, b + s, x, b + 5 * s / 3, 2);                              // feeler
    gfx_circle(BLACK, x, b + 5 * s / 3, s / 4);                                  // feeler tip
    gfx_circle(WHITE, x - s / 2, b + s / 4, s / 3);                              // eye
    gfx_circle(BLACK, x - 3 * s / 8, b + s / 5, s / 4);                          // pupil
    gfx_rectangle(color, x - s / 4, b - 5 * s / 4, x + s / 4, b - 7 * s / 8, 0); // neck
    gfx_circle(color, x, b - 23 * s / 12, 3 * s / 4);                            // body
    gfx_line(BLACK, x, b - 31 * s / 12, x - s / 2, b - 13 * s / 4, 2);           // leg 1, upper
    gfx_line(BLACK, x - s / 2, b - 13 * s / 4, x + s / 4, b - 17 * s / 4, 2);    // leg 1, lower
    gfx_circle(BLACK, x + s / 4, b - 17 * s / 4, s / 6);                         // foot 1
    gfx_line(BLACK, x + s / 4, b - 31 * s / 12, x - s / 4, b - 13 * s / 4, 2);   // leg 2, upper
    gfx_line(BLACK, x - s / 4, b - 13 * s / 4, x + s / 2, b - 17 * s / 4, 2);    // leg 2, lower
    gfx_circle(BLACK, x + s / 2, b - 17 * s / 4, s / 6);                         // foot 2
    gfx_line(BLACK, x, b - 19 * s / 12, x - 4 * s / 3, b - 2 * s, 2);            // arm
    gfx_circle(BLACK, x - 4 * s / 3, b - 2 * s, s / 6);                          // hand
}

void draw_bugs(const int (&x)[MAX_BUGS], const int (&y)[MAX_BUGS], const int (&size)[MAX_BUGS],
               const int (&color)[MAX_BUGS], const int (&active)[MAX_BUGS]) {
    for (int i = 0; i < MAX_BUGS; i++) {
        if (active[i]) draw_bug(x[i], y[i], size[i], color[i]);
    }
}

void move_bug(int &x, int &y, int &steps, int hopping, int speed, int size) {
    const int bound = wrap_position(size);
    // Wide, so that no speed can overflow the subtraction.
    const long long new_x = (long long)x - speed;

    // A new x of exactly -bound is still taken; the bug wraps on the step that would pass it.
    if (new_x > bound || new_x < -bound) {
        x = bound;
        y = BUG_GROUND_Y;
        steps = 0;
    } else {
        x = (int)new_x;
        steps = steps >= STEPS_FOLD ? steps - STEPS_FOLD + 1 : steps + 1;
    }

    // This runs on the wrapping step too: steps 0 counts as a multiple of 10, so a hopping bug
    // lands on the ground line and rises at once.
    if (hopping == 1) {
        if (steps % HOP_UP_PERIOD == 0) {
            if (y <= HOP_Y_LIMIT - HOP_HEIGHT) y += HOP_HEIGHT;
        } else if (steps % HOP_DOWN_PERIOD == 0) {
            if (y >= HOP_HEIGHT - HOP_Y_LIMIT) y -= HOP_HEIGHT;
        }
    }
}
