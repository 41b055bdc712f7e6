// The round stamp a wide pen leaves on every point it passes: end caps and joins.
#pragma once

#include "platform/gdi/raster/canvas.h"

namespace raster {

// The stamp of a pen of width w >= 2 on p: the filled ellipse (row hull of the outline) of the
// w x w box whose top-left pixel is p - (w/2, w/2); for even w, p is the pixel right of and
// below the centre.
void fill_stamp(const Clip &c, Point64 p, int64_t w, uint32_t color);

// The spans of the stamps up to MAX_TABLE_STAMP wide, relative to the centre: row k
// (k = 0 ... w-1) lies at dy = k - w/2 and covers dx = left[k] ... right[k].
constexpr int MAX_TABLE_STAMP = 64;
struct StampRows {
    int width;
    const int16_t *left;
    const int16_t *right;
};
StampRows stamp_rows(int w);

} // namespace raster
