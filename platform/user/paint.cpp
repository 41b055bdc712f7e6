// Painting: the update state of windows, window DCs, erasing, and presenting changed surfaces.
#include "platform/display/display.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/objects.h"
#include "platform/user/internal.h"
#include "platform/user/window_surface.h"

#include <algorithm>
#include <cstring>

namespace {

RECT client_rect(const user::Window &w) {
    return RECT{0, 0, w.client_width, w.client_height};
}

bool is_empty(const RECT &r) {
    return r.right <= r.left || r.bottom <= r.top;
}

RECT intersection(const RECT &a, const RECT &b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    return is_empty(r) ? RECT{0, 0, 0, 0} : r;
}

RECT bounding_union(const RECT &a, const RECT &b) {
    if (is_empty(a)) return b;
    if (is_empty(b)) return a;
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

bool contains(const RECT &outer, const RECT &inner) {
    return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
           outer.bottom >= inner.bottom;
}

// Adds `area` (client coordinates, already clipped) to the window's update rectangle.
void invalidate_area(user::Window &w, const RECT &area, bool erase) {
    if (is_empty(area)) return;
    w.update = w.invalid ? bounding_union(w.update, area) : area;
    w.invalid = true;
    if (erase) w.erase_pending = true;
}

void validate(user::Window &w) {
    w.invalid = false;
    w.erase_pending = false;
    w.update = RECT{0, 0, 0, 0};
}

} // namespace

namespace user {

void invalidate_window(Window &w, bool erase) {
    invalidate_area(w, client_rect(w), erase);
}

HWND window_needing_paint(HWND filter) {
    HWND found = nullptr;
    window_table().for_each([&](uintptr_t, Window &w) {
        if (!found && w.visible && w.invalid && (!filter || filter == w.handle)) found = w.handle;
    });
    return found;
}

void present_changed_windows() {
    window_table().for_each([](uintptr_t, Window &w) {
        if (!w.visible || !w.surface_changed) return;
        w.surface_changed = false;
        if (w.surface.width > 0 && w.surface.height > 0)
            display::backend().present(w.display_window, user::content_to_present(w),
                                       w.surface.width, w.surface.height);
    });
}

bool erase_background(HWND window) {
    Window *w = find_window(window);
    if (!w) return false;
    const WindowClass *window_class = find_class_by_atom(w->class_atom);
    const gdi::BrushObject *brush =
        window_class ? gdi::find_brush(window_class->background) : nullptr;
    if (!brush || brush->null) return false;
    RECT area = intersection(w->erasing ? w->erase_area : client_rect(*w), client_rect(*w));
    uint32_t pixel = platform::pixel_from_colorref(brush->color);
    uint32_t *client = client_pixels(*w);
    for (LONG y = area.top; y < area.bottom; y++)
        std::fill(client + size_t(y) * w->surface.width + area.left,
                  client + size_t(y) * w->surface.width + area.right, pixel);
    if (!is_empty(area)) w->surface_changed = true;
    return true;
}

bool window_client_target(HWND window, raster::Target &target) {
    Window *w = find_window(window);
    if (!w || !w->visible || w->client_width <= 0 || w->client_height <= 0) return false;
    target = raster::Target{};
    target.pixels = client_pixels(*w);
    target.stride = w->surface.width;
    target.clip_right = w->client_width;
    target.clip_bottom = w->client_height;
    return true;
}

void window_surface_changed(HWND window) {
    if (Window *w = find_window(window)) w->surface_changed = true;
}

bool scroll_window_client(HWND window, int dy) {
    Window *w = find_window(window);
    if (!w || !w->visible || w->client_width <= 0 || w->client_height <= 0) return false;
    w->surface.scroll(w->menu_bar_height, dy);
    w->surface_changed = true;
    return true;
}

} // namespace user

BOOL InvalidateRect(HWND window, const RECT *rect, BOOL erase) {
    auto invalidate = [&](user::Window &w) {
        invalidate_area(w, rect ? intersection(*rect, client_rect(w)) : client_rect(w), erase);
    };
    if (!window) { // every window, as Windows does for a null window
        user::window_table().for_each([&](uintptr_t, user::Window &w) { invalidate(w); });
        return TRUE;
    }
    user::Window *w = user::find_window(window);
    if (!w) return FALSE;
    invalidate(*w);
    return TRUE;
}

BOOL ValidateRect(HWND window, const RECT *rect) {
    user::Window *w = user::find_window(window);
    if (!w) return FALSE;
    // One update rectangle per window: it goes when the validated area covers all of it.
    if (!rect || contains(*rect, w->update)) validate(*w);
    return TRUE;
}

HDC BeginPaint(HWND window, LPPAINTSTRUCT paint) {
    user::Window *w = user::find_window(window);
    if (!w || !paint) return nullptr;
    HDC dc = gdi::create_window_dc(window);
    if (!dc) return nullptr;
    RECT area = w->invalid ? w->update : RECT{0, 0, 0, 0};
    bool erase = w->invalid && w->erase_pending;
    validate(*w);
    bool erased = false;
    if (erase) {
        w->erasing = true;
        w->erase_area = area;
        erased = SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) != 0;
        if ((w = user::find_window(window))) w->erasing = false;
    }
    std::memset(paint, 0, sizeof *paint);
    paint->hdc = dc;
    paint->fErase = erase && !erased; // the program still has to erase
    paint->rcPaint = area;
    return dc;
}

BOOL EndPaint(HWND window, const PAINTSTRUCT *paint) {
    if (!paint) return FALSE;
    const gdi::DeviceContext *dc = gdi::find_dc(paint->hdc);
    if (dc && dc->window == window) gdi::release_window_dc(paint->hdc);
    return TRUE;
}

HDC GetDC(HWND window) {
    // No screen DC: only windows have one here.
    if (!user::find_window(window)) return nullptr;
    return gdi::create_window_dc(window);
}

int ReleaseDC(HWND window, HDC dc) {
    const gdi::DeviceContext *context = gdi::find_dc(dc);
    if (!context || context->window != window || context->memory) return 0;
    gdi::release_window_dc(dc);
    return 1;
}
