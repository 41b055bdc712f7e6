// Pens wider than one pixel: segment bodies, and polylines of bodies and stamps.
#pragma once

#include "platform/gdi/raster/canvas.h"

#include <cstddef>

namespace raster {

// The body of the segment p1 -> p2 (p1 != p2) for a pen of width w >= 2; the same pixels in
// either direction. Horizontal and vertical bodies are w pixels thick, starting w/2 above (left
// of) the path, from the smaller end up to the pixel before the larger one. Diagonal bodies
// are the quadrilateral whose half widths are rounded, the larger half towards larger x.
void fill_body(const Clip &c, Point64 p1, Point64 p2, int64_t w, uint32_t color);

// A polyline with a wide pen: a body per segment and a stamp on every point; `closed` joins the
// last point to the first. Repeated points are dropped first; a single point is a stamp.
void wide_polyline(const Clip &c, const Point64 *points, size_t count, bool closed, int64_t w,
                   uint32_t color);

} // namespace raster
