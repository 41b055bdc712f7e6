// Window and client rectangles: GetClientRect, GetWindowRect, MoveWindow, and the changes of
// size that come from the menu bar or from the user.
#include "platform/display/display.h"
#include "platform/user/internal.h"
#include "platform/user/nonclient.h"

#include <algorithm>
#include <utility>

namespace {

constexpr uint32_t UNCOVERED_FILL = 0xFFFFFF;

// Resizes the surface to the window's content size, keeping the pixels that still fit, and
// sets where its DCs draw. The surface stays the same object: the window's DCs keep it.
void resize_surface(user::Window &w) {
    platform::Surface &surface = *w.surface;
    int width = w.client_width;
    int height = w.menu_bar_height + w.client_height;
    if (width != surface.width || height != surface.height) {
        // The surface given up at the last resize: its block is used again, so that a window
        // resized again and again does not allocate each time.
        static platform::Surface resized;
        resized.resize(width, height, UNCOVERED_FILL);
        int keep_width = std::min(width, surface.width);
        int keep_height = std::min(height, surface.height);
        for (int y = 0; y < keep_height; y++)
            std::copy_n(std::as_const(surface).row(y), keep_width, resized.row(y));
        std::swap(surface, resized);
        surface.changed = true;
        w.menu_bar_stale = true;
    }
    user::set_drawing_area(w);
}

void send_size(HWND window) {
    user::Window *w = user::find_window(window);
    if (!w) return;
    SendMessageA(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->client_width, w->client_height));
}

void send_move(HWND window) {
    user::Window *w = user::find_window(window);
    if (!w) return;
    POINT origin = user::client_origin(*w);
    SendMessageA(window, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
}

} // namespace

namespace user {

display::Placement placement_of(const Window &w) {
    Insets frame = frame_insets(w.style);
    display::Placement p;
    p.x = w.outer.left;
    p.y = w.outer.top;
    p.content_x = frame.left;
    p.content_y = frame.top;
    p.width = w.client_width;
    p.height = w.menu_bar_height + w.client_height;
    return p;
}

POINT client_origin(const Window &w) {
    Insets insets = frame_insets(w.style);
    return POINT{w.outer.left + insets.left, w.outer.top + insets.top + w.menu_bar_height};
}

bool apply_geometry(Window &w) {
    int old_width = w.client_width, old_height = w.client_height;
    client_size_for(w.style, w.menu_bar_height > 0, w.outer.right - w.outer.left,
                    w.outer.bottom - w.outer.top, w.client_width, w.client_height);
    // A menu bar taller than the window leaves no client area but still needs its rows.
    resize_surface(w);
    display::backend().place_window(w.display_window, placement_of(w));
    return w.client_width != old_width || w.client_height != old_height;
}

void set_menu_bar_height(HWND window, int height) {
    Window *w = find_window(window);
    if (!w || w->menu_bar_height == height) return;
    // The client area moves down or up inside the content: its pixels go with it.
    platform::Surface old = std::move(*w->surface);
    int old_menu = w->menu_bar_height;
    w->menu_bar_height = height;
    w->surface->resize(0, 0, 0);
    apply_geometry(*w);
    w->menu_bar_stale = true;
    for (int y = 0; y < w->client_height && old_menu + y < old.height; y++)
        std::copy_n(old.row(old_menu + y), std::min(w->client_width, old.width),
                    w->surface->row(height + y));
    w->surface->changed = true;
    invalidate_window(*w, true);
    send_size(window);
}

void content_resized(HWND window, int width, int height) {
    Window *w = find_window(window);
    if (!w) return;
    Insets insets = frame_insets(w->style);
    width = std::clamp(width, 0, MAX_WINDOW_SIZE);
    height = std::clamp(height, 0, MAX_WINDOW_SIZE);
    int client_height = std::max(0, height - w->menu_bar_height);
    w->outer.right = w->outer.left + insets.left + width + insets.right;
    w->outer.bottom =
        w->outer.top + insets.top + w->menu_bar_height + client_height + insets.bottom;
    int old_width = w->client_width, old_height = w->client_height;
    w->client_width = width;
    w->client_height = client_height;
    resize_surface(*w);
    if (w->client_width == old_width && w->client_height == old_height) return;
    invalidate_window(*w, true);
    send_size(window);
}

} // namespace user

BOOL GetClientRect(HWND window, LPRECT rect) {
    user::Window *w = user::find_window(window);
    if (!w || !rect) return FALSE;
    *rect = RECT{0, 0, w->client_width, w->client_height};
    return TRUE;
}

BOOL GetWindowRect(HWND window, LPRECT rect) {
    user::Window *w = user::find_window(window);
    if (!w || !rect) return FALSE;
    *rect = w->outer;
    return TRUE;
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
    user::Window *w = user::find_window(window);
    if (!w) return FALSE;
    width = user::window_size(width);
    height = user::window_size(height);
    bool moved = w->outer.left != x || w->outer.top != y;
    w->outer = RECT{LONG(x), LONG(y), LONG(int64_t(x) + width), LONG(int64_t(y) + height)};
    bool resized = user::apply_geometry(*w);
    if (repaint && (moved || resized)) user::invalidate_window(*w, true);
    if (moved) send_move(window);
    if (resized) send_size(window);
    return TRUE;
}
