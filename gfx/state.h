// The package's internal declarations: the draw record, the process-wide state, and the
// operations its files call in one another. Programs include gfx/gfx.h only; tools and tests
// include this, and gfx/observe.h for the observers. The state is one table, at the end.
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

// ---- Observers, for tools (gfx/observe.h) --------------------------------------------------

// Called by each drawing call with the record it builds, instead of painting it. `text` is the
// record's text for SHAPE_TEXT (its block is the call's own and is freed after the call), null
// for the other shapes; both are valid only during the call.
typedef void (*RecordObserver)(const DrawRecord &record, const char *text, void *context);
// Called by gfx_log with each line it produces, exactly as formatted, in order.
typedef void (*LogObserver)(const char *line, void *context);
// Called instead of opening KORVA.SCR, for reading or for writing: the stream it returns (null:
// the file cannot be opened) is used and closed as the file's would be.
typedef FILE *(*ScriptOpener)(bool writing, void *context);

// ---- Windows and canvas (window.cpp) -------------------------------------------------------

enum { ANIMATION_TIMER_ID = 2, ANIMATION_PERIOD_MS = 100 };

struct Canvas {
    HBITMAP image;
    HDC dc; // memory DC with `image` selected
};

LRESULT CALLBACK graphics_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
int show_text_window(int show);

// ---- Renderer (render.cpp) -----------------------------------------------------------------

void render_record(const DrawRecord *record);
void erase_canvas();
// Copies the whole canvas to the graphics window.
void copy_canvas_to_window();

// ---- Drawing calls (draw.cpp) --------------------------------------------------------------

int check_color(int color);

// ---- Log and text window (log.cpp) -------------------------------------------------------

enum { LOG_LINES = 25, LOG_BUFFER_SIZE = 1024 };

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

// Bit 30 of a key message's lparam: the key was down before, so this key-down is a repeat.
constexpr LPARAM KEY_WAS_DOWN = LPARAM(1) << 30;

void build_run_menu(HWND window);
void run_command(WPARAM id);
void handle_key_down(WPARAM key, LPARAM lparam);
void handle_key_up(WPARAM key);
void sync_ctrl_key();
// Alt is held, as far as the key messages taken so far tell.
bool alt_key_held();

// ---- Scripts (script.cpp) ------------------------------------------------------------------

void record_event(int kind, int x, int y, char key);
int read_script_event();
void stop_playback();
void close_script_file();
void stop_recording();
// Starts a recording; refused, with a log line, while a script is being played.
void start_recording();
void end_playback();
// The recording step of a wait: folds or writes the event just decided.
void record_decided_event();
// The session ends without a quit: a recording writes its folded ticks and closes the file.
void finish_recording();

// ---- The process-wide state (defined and reset in reset.cpp) --------------------------------

// Every variable the package keeps between calls, with its value at process start, by the file
// that owns it: declared here, defined once and put back by reset_package_state from this one
// list, so that a new variable is one more line here and nowhere else.
//   VARIABLE(type, name, value at process start)
//   ARRAY(type, name, element count): every element value-initialized (null, 0)
#define PACKAGE_STATE(VARIABLE, ARRAY)                                                             \
    /* Observers, for tools (gfx/observe.h) */                                                     \
    VARIABLE(RecordObserver, record_observer, nullptr)                                             \
    VARIABLE(void *, record_observer_context, nullptr)                                             \
    VARIABLE(LogObserver, log_observer, nullptr)                                                   \
    VARIABLE(void *, log_observer_context, nullptr)                                                \
    VARIABLE(ScriptOpener, script_opener, nullptr)                                                 \
    VARIABLE(void *, script_opener_context, nullptr)                                               \
    /* Windows and canvas (window.cpp) */                                                          \
    VARIABLE(HWND, graphics_window, nullptr)                                                       \
    VARIABLE(HWND, text_window, nullptr)                                                           \
    VARIABLE(HDC, window_dc, nullptr)                                                              \
    VARIABLE(Canvas, canvas, Canvas{})                                                             \
    VARIABLE(int, canvas_dirty, 1)                                                                 \
    VARIABLE(int, origin_x, 0)                                                                     \
    VARIABLE(int, origin_y, 0)                                                                     \
    /* Drawing calls (draw.cpp) */                                                                 \
    VARIABLE(unsigned char, logging_on, 1)                                                         \
    /* Log and text window (log.cpp) */                                                            \
    ARRAY(HGLOBAL, log_ring, LOG_LINES)                                                            \
    VARIABLE(int, log_oldest, -1)                                                                  \
    VARIABLE(int, log_next, 0)                                                                     \
    /* Event wait (event.cpp) */                                                                   \
    VARIABLE(int, pending_kind, EVENT_NONE)                                                        \
    VARIABLE(int, pending_x, 0)                                                                    \
    VARIABLE(int, pending_y, 0)                                                                    \
    VARIABLE(char, pending_key, 0)                                                                 \
    VARIABLE(unsigned char, running, 0)                                                            \
    VARIABLE(unsigned char, single_step, 0)                                                        \
    VARIABLE(unsigned char, quit_requested, 0)                                                     \
    VARIABLE(int, tick_pending, 0)                                                                 \
    VARIABLE(bool, told_not_open, false) /* a wait without gfx_open said so */                     \
    /* Run menu and keyboard commands (menu.cpp) */                                                \
    VARIABLE(HMENU, run_menu, nullptr)                                                             \
    VARIABLE(int, ctrl_down, 0)                                                                    \
    /* Scripts (script.cpp) */                                                                     \
    VARIABLE(unsigned char, recording, 0)                                                          \
    VARIABLE(unsigned char, playing_back, 0)                                                       \
    VARIABLE(unsigned char, play_one, 0)                                                           \
    VARIABLE(int, repeat_count, 0)                                                                 \
    VARIABLE(FILE *, script_file, nullptr)                                                         \
    VARIABLE(bool, script_writing, false) /* the open stream was opened for writing */             \
    /* A write to the open script failed: nothing more is written to it. */                        \
    VARIABLE(unsigned char, script_write_failed, 0)

#define PACKAGE_STATE_DECLARE_VARIABLE(type, name, start) extern type name;
#define PACKAGE_STATE_DECLARE_ARRAY(type, name, count) extern type name[count];
PACKAGE_STATE(PACKAGE_STATE_DECLARE_VARIABLE, PACKAGE_STATE_DECLARE_ARRAY)
#undef PACKAGE_STATE_DECLARE_VARIABLE
#undef PACKAGE_STATE_DECLARE_ARRAY

// Puts every variable of the table back to its value at process start, closing the script file
// first; for harnesses that open the package many times in one process. The platform objects
// the package held are not released: reset the stand-in too (platform/reset.h).
void reset_package_state();
// Keeps every variable of the table as it is now, and puts them back (closing the script file
// first): with the stand-in's save and restore (platform/reset.h), a harness opens the package
// once and starts each run from there.
void save_package_state();
void restore_package_state();
