// The bug demo: up to nine bugs walk over a landscape, steered from a panel of buttons drawn on
// the canvas. All of its state lives in demo_main and is handed down as arguments; the bug table
// is nine parallel arrays indexed by slot number.
#pragma once

#include "gfx/gfx.h"

// Slots in the bug table. The active slots always form an unbroken run from slot 0.
enum { MAX_BUGS = 9 };

// Where a click landed, as panel_hit_test reports it.
enum { HIT_NONE = 0, HIT_BUTTONS = 1, HIT_BUG_NUMBERS = 2 };

// Every bug starts, and wraps back, standing on this line.
enum { BUG_GROUND_Y = -150 };

// ---- Main loop (main.cpp) -------------------------------------------------------------------

// Opens the package with the four GUI-entry arguments, runs the frame loop until the quit event
// and closes the package. Returns the process's exit code, 0.
int demo_main(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line, int show_mode);

// ---- Control panel (panel.cpp) --------------------------------------------------------------

// Draws the nine buttons and one number box per active bug; box_count is 9 plus that number.
void draw_panel(int box_count);
// Tells whether (x, y) lies strictly inside the button column, inside the number column of
// box_count - 9 boxes, or in neither.
int panel_hit_test(int x, int y, int box_count);
// Applies the button under (x, y) to the chosen bug's fields, or for "Add Bug" and "Delete Bug"
// to the active array. A position outside the button column changes nothing and draws an error.
void press_button(int x, int y, int &moving, int &hopping, int &color, int &speed,
                  int (&active)[MAX_BUGS]);
// Returns the slot whose number box lies under (x, y); outside the number column, draws an
// error and returns 0.
int choose_bug(int x, int y);
// Draws "INTERNAL ERROR!" in red at the centre of the canvas.
void report_internal_error();
// Number of slots whose active flag is set.
int count_active(const int (&active)[MAX_BUGS]);

// ---- Bug figure and motion (bug.cpp) --------------------------------------------------------

// Horizontal extent of a figure of the given size: size x 2.5, truncated toward zero.
int bug_width(int size);
// The x to which a bug of the given size wraps when it leaves the scene on the left.
int wrap_position(int size);
// Draws one bug with its foot point at (x, y): fifteen drawing calls.
void draw_bug(int x, int y, int size, int color);
// Draws every active slot, in ascending slot order.
void draw_bugs(const int (&x)[MAX_BUGS], const int (&y)[MAX_BUGS], const int (&size)[MAX_BUGS],
               const int (&color)[MAX_BUGS], const int (&active)[MAX_BUGS]);
// One motion step: moves the bug speed units to the left, wrapping it to the right edge when it
// would leave the scene, and makes it hop every fifth step when hopping is 1.
void move_bug(int &x, int &y, int &steps, int hopping, int speed, int size);

// ---- Background scene (scene.cpp) -----------------------------------------------------------

// Paints the landscape, then advances the counters: scene_phase runs 0 to 50, and scene_cycle
// counts its completed runs.
void draw_scene(int &scene_phase, int &scene_cycle);
