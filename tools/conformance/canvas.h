// The canvas the corpus is rendered into, set up without any window: a memory DC holding a
// 601 x 540 32-bit bitmap, installed as the package's `canvas` with the origin at (297, 240),
// where gfx_open would put it for the graphics window.
#pragma once

#include <cstdint>
#include <string>

enum { CANVAS_ORIGIN_X = 297, CANVAS_ORIGIN_Y = 240 };

// Returns false with a message when the canvas (or, natively, the fonts) cannot be had.
bool open_canvas(std::string &error);
void close_canvas();

// Sets every pixel to `pixel` (0x00RRGGBB).
void fill_canvas(uint32_t pixel);

// The canvas pixels, rows top to bottom without padding, 0x00RRGGBB (the top byte is to be
// ignored). Valid until the next drawing.
const uint32_t *canvas_pixels();
