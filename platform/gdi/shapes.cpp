// The shape calls: Rectangle, Ellipse, Polygon, MoveToEx, LineTo, SetPixel, GetPixel.
#include "platform/gdi/dc.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/raster/clip.h"

using namespace gdi;

namespace {

raster::Pen pen_of(const DeviceContext &dc) {
    // A pen deleted while selected is no longer there: draw with the default pen instead.
    const PenObject *object = find_pen(dc.pen);
    if (!object) object = find_pen(default_pen());
    raster::Pen pen;
    pen.null = object->style == PS_NULL;
    pen.width = object->width;
    pen.color = platform::pixel_from_colorref(object->color);
    return pen;
}

raster::Brush brush_of(const DeviceContext &dc) {
    const BrushObject *object = find_brush(dc.brush);
    if (!object) object = find_brush(default_brush());
    raster::Brush brush;
    brush.null = object->null;
    brush.color = platform::pixel_from_colorref(object->color);
    return brush;
}

// Runs `draw` on the surface behind `handle` and marks it changed.
template <typename Draw>
BOOL draw_on(HDC handle, Draw draw) {
    DeviceContext *dc = find_dc(handle);
    if (!dc) return FALSE;
    platform::Surface *surface = dc_surface(*dc);
    if (!surface) return FALSE;
    draw(*dc, *surface);
    surface->changed = true;
    return TRUE;
}

} // namespace

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
    return draw_on(dc, [&](DeviceContext &c, platform::Surface &s) {
        raster::rectangle(s, left, top, right, bottom, pen_of(c), brush_of(c));
    });
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) {
    return draw_on(dc, [&](DeviceContext &c, platform::Surface &s) {
        raster::ellipse(s, left, top, right, bottom, pen_of(c), brush_of(c));
    });
}

BOOL Polygon(HDC dc, const POINT *points, int count) {
    if (!points || count < 2) return FALSE;
    return draw_on(dc, [&](DeviceContext &c, platform::Surface &s) {
        // Triangles and other small polygons need no allocation.
        raster::Scratch<raster::Point, 8> corners(static_cast<size_t>(count));
        for (int i = 0; i < count; i++) corners[size_t(i)] = {points[i].x, points[i].y};
        raster::polygon(s, corners.data(), count, pen_of(c), brush_of(c));
    });
}

BOOL MoveToEx(HDC handle, int x, int y, LPPOINT previous) {
    DeviceContext *dc = find_dc(handle);
    if (!dc) return FALSE;
    if (previous) *previous = dc->position;
    dc->position = POINT{x, y};
    return TRUE;
}

BOOL LineTo(HDC handle, int x, int y) {
    DeviceContext *dc = find_dc(handle);
    if (!dc) return FALSE;
    POINT from = dc->position;
    dc->position = POINT{x, y};
    return draw_on(handle, [&](DeviceContext &c, platform::Surface &s) {
        raster::line(s, from.x, from.y, x, y, pen_of(c));
    });
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
    COLORREF result = CLR_INVALID;
    draw_on(dc, [&](DeviceContext &, platform::Surface &s) {
        raster::set_pixel(s, x, y, platform::pixel_from_colorref(color));
        const raster::Clip c = raster::clip_of(s);
        const raster::Point64 p = c.at(x, y);
        if (c.contains(p.x, p.y)) result = color & 0xFFFFFF;
    });
    return result;
}

COLORREF GetPixel(HDC handle, int x, int y) {
    DeviceContext *dc = find_dc(handle);
    platform::Surface *surface = dc ? dc_surface(*dc) : nullptr;
    if (!surface) return CLR_INVALID;
    const platform::Surface &pixels = *surface;
    const platform::Rect readable = platform::intersect(pixels.clip, pixels.bounds());
    const int64_t px = int64_t(x) + pixels.origin_x, py = int64_t(y) + pixels.origin_y;
    if (!readable.contains(px, py)) return CLR_INVALID;
    return platform::colorref_from_pixel(pixels.at(int(px), int(py)));
}
