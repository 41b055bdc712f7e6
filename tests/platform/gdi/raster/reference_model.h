// Slow, literal versions of the pixel rules, for checking the fast paths of the rasterizer:
// each follows the rule's arithmetic as stated, pixel by pixel or point by point.
#pragma once

#include "platform/gdi/raster/shapes.h"

#include <vector>

namespace raster_test {

using raster::Clip;
using raster::Point64;

// The ellipse walk exactly as written (128-bit error terms), in walk order: the lower-right
// quarter of the W x H box in box coordinates.
std::vector<Point64> walk_points(int64_t width, int64_t height);

// The walk's runs per quarter row, read off walk_points.
std::vector<raster::QuarterRun> walk_runs(int64_t width, int64_t height);

// The whole outline as the closed loop through the four mirrored quarters, in box coordinates.
std::vector<Point64> outline_loop(int64_t width, int64_t height);

// Ellipse outline pixels and row hull (the brush area) from walk_points, one pixel at a time.
void reference_ellipse(const Clip &c, int64_t left, int64_t top, int64_t width, int64_t height,
                       bool pen, uint32_t pen_color, bool brush, uint32_t brush_color);

// The wide-pen outline: the closed polyline through outline_loop, stamps and bodies one by one.
void reference_ring(const Clip &c, int64_t left, int64_t top, int64_t width, int64_t height,
                    int64_t w, uint32_t color);

// A one-pixel line, every step whose major coordinate is in the clip computed on its own.
void reference_line(const Clip &c, Point64 p0, Point64 p1, uint32_t color);

// The polygon fill, every row's crossings computed on their own.
void reference_fill(const Clip &c, const std::vector<Point64> &points, uint32_t color);

} // namespace raster_test
