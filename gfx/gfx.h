// The graphics package: a 601 x 540 canvas with the origin at the centre and y pointing up,
// drawing calls in a palette of 24 colours, and one blocking call that returns the next event.
#pragma once

#include "platform/win.h"

// ---- Palette ------------------------------------------------------------------------------
// Colours are named by palette index. Any other value is drawn in RED, with a log line.
enum {
    BLACK = 0,
    WHITE = 1,
    RED = 2,
    GREEN = 3,
    BLUE = 4,
    YELLOW = 5,
    MAGENTA = 6,
    CYAN = 7,
    PURPLE = 8,
    NAVY_BLUE = 9,
    DUSTY_PLUM = 10,
    ICE_BLUE = 11,
    TURQUOISE = 12,
    ORANGE = 13,
    BROWN = 14,
    PINK = 15,
    CHALK = 16,
    GOLD = 17,
    PEACH = 18,
    FOREST_GREEN = 19,
    SEA_GREEN = 20,
    OLIVE = 21,
    GRAY_50 = 22,
    GRAY_20 = 23,
    NUM_COLORS = 24
};

// ---- Events -------------------------------------------------------------------------------
enum {
    EVENT_NONE = -1,    // used inside the wait only, never returned
    EVENT_MOUSE = 1,    // left button pressed on the canvas; x, y in canvas coordinates
    EVENT_KBD = 2,      // a character typed to the graphics window; key holds it
    EVENT_PERIODIC = 3, // one animation tick
    EVENT_QUIT = 4      // the program is to end
};

// ---- Animation modes for gfx_animate ---------------------------------------------------------
enum { ANIMATE_HALT = 0, ANIMATE_STEP = 1, ANIMATE_RUN = 2, ANIMATE_QUIT = 5 };

enum { CANVAS_WIDTH = 601, CANVAS_HEIGHT = 540 };

// ---- Opening and closing ------------------------------------------------------------------

// Opens the graphics window (with its Run menu) and the text window, creates the canvas and
// starts the 100 ms animation timer, halted. Pass the four arguments of the program's WinMain.
// Returns 1.
int gfx_open(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line, int show_mode);

// Releases the graphics window's drawing context and closes the script file. Returns 1.
int gfx_close();

// ---- Drawing ------------------------------------------------------------------------------
// Each call paints into the canvas at once; the window shows it at the next gfx_await_event.
// Coordinates: origin at the canvas centre, x to the right, y upwards. A width of 0 fills the
// shape; a wider width draws only its outline, that many pixels wide. A negative radius, width
// or point size is used as its absolute value, and a point size above 127 as 127, each with a
// log line. While logging is on, every call also describes itself in the text window.

// A filled disc of the given radius centred on (x, y). Returns 1.
int gfx_circle(int color, int x, int y, int radius);
// A triangle through three points, filled when width is 0. Returns 1.
int gfx_triangle(int color, int x1, int y1, int x2, int y2, int x3, int y3, int width);
// A rectangle with corners (x1, y1) and (x2, y2), in any order, both included. Returns 1.
int gfx_rectangle(int color, int x1, int y1, int x2, int y2, int width);
// An oval inscribed in the box with corners (x1, y1) and (x2, y2), in any order. Returns 1.
int gfx_oval(int color, int x1, int y1, int x2, int y2, int width);
// A line from (x1, y1) to (x2, y2); width 0 draws it one pixel wide. Returns 1.
int gfx_line(int color, int x1, int y1, int x2, int y2, int width);
// Text whose first line has its lower-left corner at (x, y); each newline starts a further
// line below. point_size is the character height in pixels (0: a default size). Returns 1.
int gfx_text(int color, int x, int y, int point_size, const char *text);
// gfx_text with printf-style formatting (at most 1023 characters are drawn). Returns the
// number of characters the formatting produced.
int gfx_printf(int color, int x, int y, int point_size, const char *format, ...)
#ifdef __GNUC__
    __attribute__((format(printf, 5, 6)))
#endif
    ;
// Erases the canvas to white. Returns 1.
int gfx_clear();
// Switches the description of drawing calls in the log on (non-zero) or off (0); switching it
// on shows the text window. Returns 0 if the package is not open, else 1.
int gfx_logging(int on);

// ---- Log ----------------------------------------------------------------------------------
// Prints a printf-style line at the bottom of the text window and keeps the last 25 lines.
// Returns the number of characters the formatting produced.
int gfx_log(const char *format, ...)
#ifdef __GNUC__
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// ---- Events -------------------------------------------------------------------------------
// Waits for the next event and returns its kind: EVENT_MOUSE (x, y set), EVENT_KBD (key set),
// EVENT_PERIODIC (one tick while the animation runs) or EVENT_QUIT. Outputs an event does not
// use are 0.
int gfx_await_event(int &x, int &y, char &key);
// Sets the animation mode: ANIMATE_RUN, ANIMATE_HALT, ANIMATE_STEP (one more tick) or
// ANIMATE_QUIT (every later wait returns EVENT_QUIT). Returns 0 if the package is not open,
// else 1.
int gfx_animate(int mode);
