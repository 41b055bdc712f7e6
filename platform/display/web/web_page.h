// The page's side of the web display: the calls into the page's script (web_page.js), which
// owns the canvases, the browser's events and its clock. Strings are UTF-8.
#pragma once

#include <cstdint>

extern "C" {

// The screen: the browser's viewport, in the program's pixels; and how many device pixels
// across one program pixel is shown as (a whole factor, at least 1).
int korva_web_screen_width(void);
int korva_web_screen_height(void);
int korva_web_scale(void);

// A window: its frame, title bar, close box and canvas, hidden until shown.
void korva_web_create_window(int window, const char *title);
void korva_web_destroy_window(int window);
void korva_web_show_window(int window, int shown);
void korva_web_set_title(int window, const char *title);
// Outer top-left (x, y), content offset (content_x, content_y) and content size, all in the
// program's pixels.
void korva_web_place_window(int window, int x, int y, int content_x, int content_y, int width,
                            int height);
// Writes an area of `columns` x `rows` device pixels of RGBA bytes into the window's canvas at
// device pixel (left, top). The canvas is `width` x `height` device pixels (made so when its
// size differs: the frame's size changed, and all of it comes).
void korva_web_present(int window, const uint8_t *rgba, int width, int height, int left, int top,
                       int columns, int rows);

// The next input event from the page, if any: its fields into `fields` (see web_input.h) and
// the key's DOM code into `code` (at most `code_size` bytes with the terminating zero).
int korva_web_next_event(int *fields, char *code, int code_size);

// Gives the browser control until input arrives or `milliseconds` pass (-1: until input).
void korva_web_wait(int milliseconds);

// Mounts the page's lasting storage (IndexedDB) at `path` and reads what it holds. Returns 0
// when the browser refuses it: the folder is there, but writing to it fails.
int korva_web_mount_storage(const char *path);

// The program has ended: the page says so and offers to start it again.
void korva_web_program_ended(int status);
}
