// The draw records the drawing calls build, as data for tools and tests.
#pragma once

#include <cstdio>

// When not null, each drawing call writes the record it builds here instead of painting it into
// the canvas. A record is ten 32-bit little-endian integers: the nine fields of a DrawRecord
// (shape, color, width, x1, y1, x2, y2, x3, y3) and the number of text bytes that follow; then
// those bytes, the text without its terminating zero (none for shapes). The stream must be
// binary, as tmpfile() gives.
extern FILE *gfx_record_stream;
