// KORVA graphics: a 601 x 540 canvas with the origin at its centre and y pointing up, drawing
// calls in a palette of 24 colours, a log window, and one blocking call that returns the next
// event (a click, a typed character, an animation tick, or the request to quit).
//
// A program starts at the Windows GUI entry, opens the package, and then draws a picture and
// waits for an event, over and over:
//
//     #include <korva/gfx.h>
//
//     int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line,
//                        int show_mode) {
//         gfx_open(instance, previous_instance, command_line, show_mode);
//         gfx_clear();
//         gfx_circle(RED, 0, 0, 50);
//         int x, y, event;
//         char key;
//         while ((event = gfx_await_event(x, y, key)) != EVENT_QUIT)
//             if (event == EVENT_MOUSE) gfx_circle(BLUE, x, y, 5); // a dot where you click
//         gfx_close();
//         return 0;
//     }
//
// No call refuses its arguments: a bad one is repaired (an unknown colour becomes RED, a
// negative size its absolute value) and the repair is reported as a line in the log window.
// The graphics window carries a Run menu through which the user starts and halts the
// animation, records and plays back events, and quits; see "The Run menu" at the end.
#pragma once

// The types of WinMain's arguments: on Windows <windows.h>, elsewhere only those of the
// stand-in, so that none of its other names meet a program's own.
#ifdef _WIN32
#include "platform/win.h"
#else
#include "platform/win_entry.h"
#endif

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
    EVENT_MOUSE = 1,    // the left button was pressed in the graphics window; x, y on the canvas
    EVENT_KBD = 2,      // a character was typed (Ctrl not held, or AltGr); key holds it
    EVENT_PERIODIC = 3, // one animation tick: advance the animation by one frame
    EVENT_QUIT = 4      // the program is to end: the window was closed, or Quit was chosen
};

// ---- Animation modes for gfx_animate ---------------------------------------------------------
enum { ANIMATE_HALT = 0, ANIMATE_STEP = 1, ANIMATE_RUN = 2, ANIMATE_QUIT = 5 };

// The canvas, in pixels. The window shows the part around the origin, about x -297 to 297 and
// y -240 to 240: its client area is the 601 x 540 window less frame, caption and menu bar.
// Exactly: x from -297 to 297 and y from -240 to 240 show, both edges included (the pixels of
// x = -297 and of y = 240 are the client area's leftmost column and top row). The canvas goes on
// beyond the right and bottom edges, to x 303 and y -299, out of sight: CANVAS_WIDTH / 2 and
// CANVAS_HEIGHT / 2 are not the window's edges.
enum { CANVAS_WIDTH = 601, CANVAS_HEIGHT = 540 };

// ---- Opening and closing ------------------------------------------------------------------

// Opens the graphics window (601 x 540 at the top-left of the screen, with the Run menu) and
// the text window (along the bottom third of the screen), creates the canvas and starts the
// animation timer, halted. Pass WinMain's four arguments unchanged. Logging is on at first.
// The canvas holds no picture yet: call gfx_clear before drawing. Returns 1. When a window or
// the canvas cannot be made, it says so on the standard error and ends the program with
// status 1.
int gfx_open(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line, int show_mode);

// Gives back the graphics window's drawing context and closes the script file; call it last,
// before WinMain returns. The windows stay until the program ends; drawing after it changes the
// canvas but no longer reaches the window. Returns 1.
int gfx_close();

// ---- Drawing ------------------------------------------------------------------------------
// Each call paints into the canvas at once; the window shows it at the next gfx_await_event.
// Coordinates: origin at the canvas centre, x to the right, y upwards; what falls outside the
// canvas is clipped. A width of 0 fills the shape; a wider width draws only its outline, that
// many pixels wide, centred on the shape's edge. Repairs, each with its log line whether
// logging is on or not: a colour outside 0 to 23 becomes RED ("Illegal color 30; using RED.");
// a negative radius, width or point size becomes its absolute value; a point size above 127
// becomes 127. While logging is on, each call also describes itself as one log line, with the
// repaired values ("red circle at (0,0), radius 4"). Each call below names its repairs in the
// order their lines appear. The drawing calls always return 1.

// A filled disc of the given radius centred on (x, y): it covers the square from (x - radius,
// y - radius) to (x + radius, y + radius), 2 * radius + 1 pixels across. Repairs: colour,
// radius.
int gfx_circle(int color, int x, int y, int radius);
// A triangle through three points, in the order given; filled when width is 0, else its
// outline. Repairs: colour, width.
int gfx_triangle(int color, int x1, int y1, int x2, int y2, int x3, int y3, int width);
// A rectangle with corners (x1, y1) and (x2, y2), in any order, both included; filled when
// width is 0, else its outline. Repairs: colour, width.
int gfx_rectangle(int color, int x1, int y1, int x2, int y2, int width);
// An oval inscribed in the box with corners (x1, y1) and (x2, y2), in any order, both included;
// filled when width is 0, else its outline. Repairs: width, colour.
int gfx_oval(int color, int x1, int y1, int x2, int y2, int width);
// A line from (x1, y1) towards (x2, y2), width pixels wide; width 0 draws it one pixel wide.
// A one-pixel line leaves out its end point. Repairs: width, colour.
int gfx_line(int color, int x1, int y1, int x2, int y2, int width);
// Text whose first line has its lower-left corner at (x, y); each newline starts a further
// line below. point_size is the character height in pixels, 0 a default size. Only the
// letters' pixels change. Repairs: point size, colour. A null text draws nothing.
// The corner is the bottom of the descenders, not the baseline: g, p and y reach down to
// y + 1, the letters stand about point_size / 5 higher, and capitals reach about
// 9 * point_size / 10 above y. No call measures a text; as a rule of thumb a character is about
// half the point size wide, so n characters are centred on (cx, cy) when drawn at
// (cx - n * point_size / 4, cy - point_size / 2).
int gfx_text(int color, int x, int y, int point_size, const char *text);
// gfx_text with printf-style formatting; a text longer than 1023 characters is cut to its
// first 1023. Returns the number of characters the formatting produced (negative on a format
// error), whatever was cut.
int gfx_printf(int color, int x, int y, int point_size, const char *format, ...)
#ifdef __GNUC__
    __attribute__((format(printf, 5, 6)))
#endif
    ;
// Erases the canvas to white, with a one-pixel black line along its outermost pixels (the
// window shows the ones at its left and top edges). Returns 1.
int gfx_clear();
// Switches the description of drawing calls in the log on (non-zero) or off (0), with the
// check mark of the Run menu's Logging entry; switching it on shows the text window, switching
// it off does not hide it. Returns 0 before gfx_open (and changes nothing), else 1.
int gfx_logging(int on);

// ---- Log ----------------------------------------------------------------------------------
// Prints a printf-style line at the bottom of the text window, which scrolls up by one line;
// one newline at its end is not drawn. The last 25 lines are kept and drawn again when the
// window is repainted. A line longer than 1023 characters is cut to its first 1023. Returns
// the number of characters the formatting produced.
int gfx_log(const char *format, ...)
#ifdef __GNUC__
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// ---- Events -------------------------------------------------------------------------------
// Shows what was drawn since the last call, then waits for the next event and returns its
// kind: EVENT_MOUSE (x, y set), EVENT_KBD (key set: a character of Windows' code page 1252, as
// typed on the user's keyboard, dead keys composed; above 127 it is negative, read it as
// unsigned char), EVENT_PERIODIC or EVENT_QUIT. Outputs the event does not use are 0, with one
// exception: during playback, a click or a character that a script event replaced leaves its
// values in the outputs the script event does not set. The Run menu and its Ctrl keys act
// during this call. While the animation runs, EVENT_PERIODIC comes with each tick of the 100 ms
// timer, about ten a second however fast the program draws; while it is halted, only clicks,
// characters and quitting end the wait.
// The animation starts halted: ticks come only after gfx_animate(ANIMATE_RUN), or once the user
// chooses Animate (Ctrl+A). Counting the EVENT_PERIODIC events gives a program its own clock,
// ten ticks a second, that a recording plays back exactly (the wall clock's time does not).
// While the package is not open (before gfx_open, after gfx_close) no window could end the wait:
// it returns EVENT_QUIT at once, and says on stderr, once, that gfx_open was not called.
int gfx_await_event(int &x, int &y, char &key);
// Sets the animation mode, as the Run menu does: ANIMATE_RUN starts the ticks, ANIMATE_HALT
// stops them, ANIMATE_STEP asks for exactly one more, and after ANIMATE_QUIT every later wait
// returns EVENT_QUIT (each still waits for an event of its own first: a tick, or with the
// animation halted a click or a character). Other modes change nothing. Returns 0 before
// gfx_open (and changes nothing), else 1.
int gfx_animate(int mode);

// ---- The Run menu ---------------------------------------------------------------------------
// The graphics window's one menu; each entry also has a Ctrl key, which works in either window
// (Ctrl with Alt is AltGr, which types characters: no command).
//   Animate (Ctrl+A), Halt animation (Ctrl+H), Advance one frame (Ctrl+F: halts, then one tick)
//   Logging (Ctrl+L): switches the description of drawing calls on or off, like gfx_logging
//       but without showing the text window
//   Record Script (Ctrl+R): from now on every event the program receives is also written to
//       the file KORVA.SCR in the current directory (a run of ticks as one line); the entry
//       has a check mark while it records; choose it again to stop. Refused while a script is
//       being played.
//   Playback Script (Ctrl+P): halts the animation and feeds the program the events of
//       KORVA.SCR, one per wait, in place of live input, until the file ends; the log line
//       "EOF encountered in script file KORVA.SCR" is that normal end, no error. Refused while
//       recording.
//   Play One Script (Ctrl+O): halts the animation and feeds the program the script's next event
//   Quit (Ctrl+Q): the next wait returns EVENT_QUIT
// Held down, Ctrl+L, Ctrl+R and Ctrl+P act once; Ctrl+F and Ctrl+O act on every repeat. On Linux,
// Ctrl+C in the terminal and `kill` quit the same way; a lost X server completes a recording
// before the program ends.
// A program that draws the same from the same events therefore plays a recording back exactly,
// when the playback starts from the state in which the recording started: start both before
// the program has had any event (a program that animates from its start has had ticks by then;
// let it start halted until the user chooses Animate).
