// Painting: the update state of windows, window DCs, erasing, and presenting changed surfaces.
#include "platform/display/display.h"
#include "platform/gdi/dc.h"
#include "platform/user/internal.h"
#include "platform/user/reset.h"

#include <algorithm>
#include <cstring>
#include <vector>

using platform::Rect;

namespace {

// The DCs GetDC and BeginPaint made, with the window each was made for: only that window's
// ReleaseDC or EndPaint deletes one. An entry outlives its window, as the DC does.
struct WindowDc {
    HDC dc;
    HWND window;
};
std::vector<WindowDc> window_dcs;

HDC make_window_dc(HWND window, user::Window &w) {
    HDC dc = gdi::create_surface_dc(w.surface);
    if (dc) window_dcs.push_back(WindowDc{dc, window});
    return dc;
}

// Deletes `dc` when it is a DC made for `window`.
bool release_window_dc(HWND window, HDC dc) {
    auto it = std::find_if(window_dcs.begin(), window_dcs.end(),
                           [&](const WindowDc &d) { return d.dc == dc; });
    if (it == window_dcs.end() || it->window != window) return false;
    window_dcs.erase(it);
    return gdi::delete_surface_dc(dc);
}

Rect client_rect(const user::Window &w) {
    return Rect{0, 0, w.client_width, w.client_height};
}

// Adds `area` (client coordinates, already clipped) to the window's update rectangle.
void invalidate_area(user::Window &w, const Rect &area, bool erase) {
    if (area.empty()) return;
    w.update = w.invalid ? platform::bounding_union(w.update, area) : area;
    w.invalid = true;
    if (erase) w.erase_pending = true;
}

void validate(user::Window &w) {
    w.invalid = false;
    w.erase_pending = false;
    w.update = Rect{};
}

} // namespace

namespace user {

void set_drawing_area(Window &w) {
    platform::Surface &s = *w.surface;
    s.origin_x = 0;
    s.origin_y = w.menu_bar_height;
    s.clip = w.visible ? Rect{0, w.menu_bar_height, w.client_width,
                              int64_t(w.menu_bar_height) + w.client_height}
                       : Rect{};
}

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
    check_open_menu();
    window_table().for_each([](uintptr_t, Window &w) {
        platform::Surface &s = *w.surface;
        if (!w.visible || !s.changed) return;
        s.changed = false;
        if (s.width > 0 && s.height > 0)
            display::backend().present(w.display_window, content_to_present(w));
    });
}

bool erase_background(HWND window, HDC dc) {
    Window *w = find_window(window);
    const WindowClass *window_class = w ? find_class_by_atom(w->class_atom) : nullptr;
    if (!window_class) return false;
    Rect area = platform::intersect(w->erasing ? w->erase_area : client_rect(*w), client_rect(*w));
    return gdi::fill_rect(dc, area, window_class->background);
}

void reset_window_dcs() {
    window_dcs.clear();
}

namespace {
std::vector<WindowDc> saved_window_dcs;
}

void save_window_dcs() {
    saved_window_dcs = window_dcs;
}

void restore_window_dcs() {
    window_dcs = saved_window_dcs;
}

} // namespace user

BOOL InvalidateRect(HWND window, const RECT *rect, BOOL erase) {
    auto invalidate = [&](user::Window &w) {
        invalidate_area(w,
                        rect ? platform::intersect(platform::rect_of(*rect), client_rect(w))
                             : client_rect(w),
                        erase);
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
    if (!rect || platform::rect_of(*rect).covers(w->update)) validate(*w);
    return TRUE;
}

HDC BeginPaint(HWND window, LPPAINTSTRUCT paint) {
    user::Window *w = user::find_window(window);
    if (!w || !paint) return nullptr;
    HDC dc = make_window_dc(window, *w);
    if (!dc) return nullptr;
    Rect area = w->invalid ? w->update : Rect{};
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
    paint->rcPaint = platform::windows_rect(area);
    return dc;
}

BOOL EndPaint(HWND window, const PAINTSTRUCT *paint) {
    if (!paint) return FALSE;
    release_window_dc(window, paint->hdc);
    return TRUE;
}

HDC GetDC(HWND window) {
    // No screen DC: only windows have one here.
    user::Window *w = user::find_window(window);
    return w ? make_window_dc(window, *w) : nullptr;
}

int ReleaseDC(HWND window, HDC dc) {
    return release_window_dc(window, dc) ? 1 : 0;
}
