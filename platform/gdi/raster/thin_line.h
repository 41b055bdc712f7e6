// One-pixel lines (pen width 0 or 1).
#pragma once

#include "platform/gdi/raster/canvas.h"

namespace raster {

// The line from p0 to p1 by the grid-intersection rule: one pixel per step of the major axis,
// the minor coordinate rounded to nearest with exact halves going to the smaller coordinate,
// p0 drawn and p1 left out; nothing when p0 == p1. Clipping removes pixels, never moves them.
void thin_line(const Clip &c, Point64 p0, Point64 p1, uint32_t color);

} // namespace raster
