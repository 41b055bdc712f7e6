// The rasterizer: which pixels GDI's shapes cover, drawn into a surface.
//
// Coordinates are device coordinates of the drawing context (any 32-bit values); the surface's
// origin moves them onto its pixels (in 64-bit arithmetic), and its clip rectangle limits what
// is written. Clipping removes pixels but never moves them. Work is bounded by what a shape
// covers inside the clip, not by its size.
//
// Lines, rectangles and polygons follow GDI's rules exactly for any coordinates. Ellipses do
// for boxes up to 2^24 pixels each way (so do the round ends of pens up to that width), beyond
// which the real ellipse through the box stands in; ellipse outlines with pens wider than 16
// pixels do while that stays cheap, beyond which the band between the box grown and shrunk by
// the pen stands in for the stroke.
#pragma once

#include "platform/surface.h"

#include <cstdint>

namespace raster {

using platform::Surface;

struct Point {
    int32_t x;
    int32_t y;
};

// A pen: width 0 or 1 draws one-pixel lines; wider pens have round caps and joins.
struct Pen {
    bool null = false; // PS_NULL: no outline
    int width = 1;
    uint32_t color = 0;
};

struct Brush {
    bool null = false; // NULL_BRUSH: the interior keeps its pixels
    uint32_t color = 0;
};

// Rectangle(l, t, r, b): corners in any order; right and bottom edges excluded.
void rectangle(Surface &surface, int32_t left, int32_t top, int32_t right, int32_t bottom,
               const Pen &pen, const Brush &brush);

// Ellipse(l, t, r, b) inscribed in the same box as rectangle(). Boxes up to 2 pixels wide or
// high are drawn as rectangle(); without a pen the brush covers what the box one pixel smaller
// in each direction covers with one, as rectangle() does.
void ellipse(Surface &surface, int32_t left, int32_t top, int32_t right, int32_t bottom,
             const Pen &pen, const Brush &brush);

// Polygon with the ALTERNATE fill rule, closed from the last point to the first.
void polygon(Surface &surface, const Point *points, int count, const Pen &pen, const Brush &brush);

// LineTo from (x0, y0) to (x1, y1): one-pixel pens leave out the end point; wider pens draw a
// round-capped stroke that includes both ends.
void line(Surface &surface, int32_t x0, int32_t y0, int32_t x1, int32_t y1, const Pen &pen);

// SetPixel.
void set_pixel(Surface &surface, int32_t x, int32_t y, uint32_t color);

// The device rectangle `area` in one colour, clipped: the solid fill behind erasing and menus.
void fill(Surface &surface, const platform::Rect &area, uint32_t color);

} // namespace raster
