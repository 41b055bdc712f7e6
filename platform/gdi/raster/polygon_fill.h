// Scan conversion of polygons, shared by Polygon's brush and the bodies of wide pens.
#pragma once

#include "platform/gdi/raster/canvas.h"

#include <cstddef>

namespace raster {

// Fills the closed polygon through `points` with the ALTERNATE rule and the top-left rule: on
// row y, every non-horizontal edge whose half-open row range [top, bottom) holds y crosses it
// at ceil(exact x); the sorted crossings c0, c1, ... give the spans [c0, c1), [c2, c3), ...
void fill_polygon(const Clip &c, const Point64 *points, size_t count, uint32_t color);

} // namespace raster
