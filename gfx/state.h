// The package's internal declarations: the draw record, the process-wide state, and the
// operations its files call in one another. Each variable is defined once, in the file that
// owns it.
#pragma once

#include "gfx/gfx.h"
#include "platform/win.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>

// ---- Palette and draw record (palette.cpp) -----------------------------------------------

// Colour values in the platform's colour-reference form, 0x00BBGGRR.
extern const COLORREF palette[NUM_COLORS];
// Lower-case names, used in log lines.
extern const char *const palette_names[NUM_COLORS];

enum {
    SHAPE_TRIANGLE = 0,
    SHAPE_RECTANGLE = 1,
    SHAPE_OVAL = 2,
    SHAPE_LINE = 3,
    SHAPE_PIXEL = 4,
    SHAPE_TEXT = 5
};

// One drawing command, built by a drawing call and painted by render_record. Boxes are
// (x1, y1) upper-left and (x2, y2) lower-right; for text x1, y1 is the anchor and x2 the point
// size. The text block travels in its own member: a handle is pointer-sized, wider than y2.
struct DrawRecord {
    int32_t shape;
    int32_t color;
    int32_t width;
    int32_t x1;
    int32_t y1;
    int32_t x2;
    int32_t y2;
    int32_t x3;
    int32_t y3;
    HGLOBAL text;
};

// ---- Windows and canvas (window.cpp) -------------------------------------------------------

enum { ANIMATION_TIMER_ID = 2, ANIMATION_PERIOD_MS = 100 };

struct Canvas {
    HBITMAP image;
    HDC dc; // memory DC with `image` selected
};

extern HWND graphics_window;
extern HWND text_window;
extern HDC window_dc;
extern Canvas canvas;
extern int canvas_dirty;
extern int origin_x;
extern int origin_y;

LRESULT CALLBACK graphics_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
int show_text_window(int show);

// ---- Renderer (render.cpp) -----------------------------------------------------------------

void render_record(const DrawRecord *record);
void erase_canvas();
// Copies the whole canvas to the graphics window.
void copy_canvas_to_window();

// ---- Drawing calls (draw.cpp) --------------------------------------------------------------

extern unsigned char logging_on;
int check_color(int color);

// ---- Log and text window (log.cpp) -------------------------------------------------------

enum { LOG_LINES = 25, LOG_BUFFER_SIZE = 1024 };

extern HGLOBAL log_ring[LOG_LINES];
extern int log_oldest;
extern int log_next;

// Formats into a buffer of LOG_BUFFER_SIZE: a longer text is cut to its first 1023 characters,
// a null format formats nothing, and a failed formatting leaves the buffer empty. Returns the
// count the formatting produced.
int format_line(char *buffer, const char *format, va_list arguments);
void print_log_line(char *text);
LRESULT CALLBACK text_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// ---- Event wait (event.cpp) ----------------------------------------------------------------

struct EventData {
    int32_t x;
    int32_t y;
    char key;
};

extern int pending_kind;
extern int pending_x;
extern int pending_y;
extern char pending_key;
extern unsigned char running;
extern unsigned char single_step;
extern unsigned char quit_requested;
extern int tick_pending;

// Handles at most one message; returns whether one was taken.
bool pump_message();
void handle_timer();
void handle_left_button(LPARAM lparam);
void handle_character(WPARAM wparam);

// ---- Run menu and keyboard commands (menu.cpp) ---------------------------------------------

enum {
    CMD_ANIMATE = 1,
    CMD_HALT = 2,
    CMD_STEP = 3,
    CMD_LOGGING = 4,
    CMD_RECORD = 5,
    CMD_PLAYBACK = 6,
    CMD_PLAY_ONE = 7,
    CMD_QUIT = 8,
    CMD_INFO = 9
};

extern HMENU run_menu;
extern int ctrl_down;

void build_run_menu(HWND window);
void run_command(WPARAM id);
void handle_key_down(WPARAM key);
void handle_key_up(WPARAM key);

// ---- Scripts (script.cpp) ------------------------------------------------------------------

extern unsigned char recording;
extern unsigned char playing_back;
extern unsigned char play_one;
extern int repeat_count;
extern FILE *script_file;

void record_event(int kind, int x, int y, char key);
int read_script_event();
void stop_playback();
void close_script_file();
void stop_recording();
void start_recording();
void end_playback();
// The recording step of a wait: folds or writes the event just decided.
void record_decided_event(bool from_script);

// ---- Fresh state (reset.cpp) ----------------------------------------------------------------

// Puts every variable above back to its value at process start, closing the script file; for
// harnesses that open the package many times in one process. The platform objects the package
// held are not released: reset the stand-in too (platform/reset.h).
void reset_package_state();
