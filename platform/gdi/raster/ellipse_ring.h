// The outline of an ellipse drawn with a wide pen.
#pragma once

#include "platform/gdi/raster/canvas.h"

namespace raster {

// The outline of the box (left, top, width x height, both at least 3) with a pen of width
// w >= 2: the closed polyline through the outline points in the walk's order, a body between
// neighbours and a stamp on every point. Only the points whose pixels can reach the clip are
// visited, each with the precomputed pixels of its stamp and its step to the next point.
void ellipse_ring(const Clip &c, int64_t left, int64_t top, int64_t width, int64_t height,
                  int64_t w, uint32_t color);

} // namespace raster
