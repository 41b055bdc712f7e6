// Device contexts: creation, selection of objects, text attributes, and where a DC draws.
#include "platform/gdi/dc.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/raster/raster.h"

namespace gdi {

namespace {

DeviceContext with_defaults() {
    DeviceContext dc;
    dc.pen = default_pen();
    dc.brush = default_brush();
    dc.font = default_font();
    return dc;
}

HDC add_dc(DeviceContext dc) {
    return reinterpret_cast<HDC>(device_contexts().add(dc));
}

void deselect_bitmap(DeviceContext &dc) {
    if (BitmapObject *old = find_bitmap(dc.bitmap)) old->selected_into = nullptr;
}

} // namespace

HDC create_surface_dc(std::shared_ptr<platform::Surface> surface) {
    DeviceContext dc = with_defaults();
    dc.surface = surface;
    return add_dc(dc);
}

bool delete_surface_dc(HDC handle) {
    DeviceContext *dc = find_dc(handle);
    return dc && !dc->memory && device_contexts().remove(reinterpret_cast<uintptr_t>(handle));
}

platform::Surface *dc_surface(const DeviceContext &dc) {
    platform::Surface *surface = nullptr;
    if (dc.memory) {
        if (BitmapObject *bitmap = find_bitmap(dc.bitmap)) surface = &bitmap->surface;
    } else {
        // The owner holds the surface for as long as the DC may draw on it: the pointer stays
        // good through the drawing call, which runs no window procedure.
        surface = dc.surface.lock().get();
    }
    if (!surface || platform::intersect(surface->clip, surface->bounds()).empty()) return nullptr;
    return surface;
}

bool fill_rect(HDC handle, const platform::Rect &area, HBRUSH brush_handle) {
    DeviceContext *dc = find_dc(handle);
    const BrushObject *brush = find_brush(brush_handle);
    if (!dc || !brush || brush->null) return false;
    platform::Surface *surface = dc_surface(*dc);
    if (!surface) return true; // nothing to draw on, as for any drawing call
    platform::Rect device = platform::shifted(platform::intersect(surface->clip, surface->bounds()),
                                              -surface->origin_x, -surface->origin_y);
    if (platform::intersect(area, device).empty()) return true;
    raster::fill(*surface, area, platform::pixel_from_colorref(brush->color));
    surface->changed = true;
    return true;
}

} // namespace gdi

using namespace gdi;

HDC CreateCompatibleDC(HDC) {
    DeviceContext dc = with_defaults();
    dc.memory = true;
    dc.bitmap = default_bitmap();
    HDC handle = add_dc(dc);
    return handle;
}

BOOL DeleteDC(HDC handle) {
    DeviceContext *dc = find_dc(handle);
    if (!dc) return FALSE;
    deselect_bitmap(*dc);
    return device_contexts().remove(reinterpret_cast<uintptr_t>(handle));
}

HBITMAP CreateCompatibleBitmap(HDC, int width, int height) {
    if (width <= 0 || height <= 0) return default_bitmap();
    // Refuse what could not sensibly be allocated rather than fail inside the allocator.
    constexpr int64_t MAX_PIXELS = int64_t(1) << 28;
    if (int64_t(width) * int64_t(height) > MAX_PIXELS) return nullptr;
    BitmapObject bitmap;
    bitmap.surface.resize(width, height, 0);
    return reinterpret_cast<HBITMAP>(objects().bitmaps.add(std::move(bitmap)));
}

namespace {

// Out of line, so that selecting a pen or a brush, which every drawing call does several times,
// stays a few instructions.
__attribute__((noinline)) HGDIOBJ select_bitmap(HDC handle, DeviceContext *dc, HGDIOBJ object) {
    BitmapObject *bitmap = find_bitmap(object);
    if (!bitmap || !dc->memory) return nullptr;
    // A bitmap can be selected into one memory DC at a time (the stock one into any).
    if (!bitmap->stock && bitmap->selected_into && bitmap->selected_into != handle &&
        find_dc(bitmap->selected_into))
        return nullptr;
    HGDIOBJ previous = dc->bitmap;
    deselect_bitmap(*dc);
    dc->bitmap = static_cast<HBITMAP>(object);
    if (!bitmap->stock) bitmap->selected_into = handle;
    return previous;
}

} // namespace

HGDIOBJ SelectObject(HDC handle, HGDIOBJ object) {
    DeviceContext *dc = find_dc(handle);
    if (!dc) return nullptr;
    switch (platform::handle_kind(reinterpret_cast<uintptr_t>(object))) {
    case platform::HandleKind::Pen: {
        if (!find_pen(object)) return nullptr;
        HGDIOBJ previous = dc->pen;
        dc->pen = static_cast<HPEN>(object);
        return previous;
    }
    case platform::HandleKind::Brush: {
        if (!find_brush(object)) return nullptr;
        HGDIOBJ previous = dc->brush;
        dc->brush = static_cast<HBRUSH>(object);
        return previous;
    }
    case platform::HandleKind::Font: {
        if (!find_font(object)) return nullptr;
        HGDIOBJ previous = dc->font;
        dc->font = static_cast<HFONT>(object);
        return previous;
    }
    case platform::HandleKind::Bitmap: return select_bitmap(handle, dc, object);
    default: return nullptr;
    }
}

COLORREF SetTextColor(HDC handle, COLORREF color) {
    DeviceContext *dc = find_dc(handle);
    if (!dc) return CLR_INVALID;
    COLORREF previous = dc->text_color;
    dc->text_color = color & 0xFFFFFF;
    return previous;
}

COLORREF GetTextColor(HDC handle) {
    DeviceContext *dc = find_dc(handle);
    return dc ? dc->text_color : CLR_INVALID;
}

COLORREF SetBkColor(HDC handle, COLORREF color) {
    DeviceContext *dc = find_dc(handle);
    if (!dc) return CLR_INVALID;
    COLORREF previous = dc->bk_color;
    dc->bk_color = color & 0xFFFFFF;
    return previous;
}

COLORREF GetBkColor(HDC handle) {
    DeviceContext *dc = find_dc(handle);
    return dc ? dc->bk_color : CLR_INVALID;
}

int SetBkMode(HDC handle, int mode) {
    DeviceContext *dc = find_dc(handle);
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    int previous = dc->bk_mode;
    dc->bk_mode = mode;
    return previous;
}

int GetBkMode(HDC handle) {
    DeviceContext *dc = find_dc(handle);
    return dc ? dc->bk_mode : 0;
}
