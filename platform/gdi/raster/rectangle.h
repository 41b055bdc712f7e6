// Rectangle in pixel coordinates, for the shapes that fall back to it.
#pragma once

#include "platform/gdi/raster/canvas.h"

namespace raster {

// Rectangle with ordered corners (left <= right, top <= bottom), right and bottom excluded.
void rectangle_pixels(const Clip &c, int64_t left, int64_t top, int64_t right, int64_t bottom,
                      const Pen &pen, const Brush &brush);

} // namespace raster
