// Top-level windows: creation, destruction, showing, titles.
#include "platform/display/display.h"
#include "platform/user/internal.h"
#include "platform/user/nonclient.h"
#include "platform/user/reset.h"
#include "platform/user/window_table.h"

namespace user {

platform::HandleTable<Window> &window_table() {
    static platform::HandleTable<Window> table{platform::HandleKind::Window};
    return table;
}

Window *find_window(HWND window) {
    return window_table().find(reinterpret_cast<uintptr_t>(window));
}

Window *find_window_by_display(int display_window) {
    Window *found = nullptr;
    window_table().for_each([&](uintptr_t, Window &w) {
        if (!found && w.display_window == display_window) found = &w;
    });
    return found;
}

} // namespace user

namespace {

constexpr uint32_t NEW_WINDOW_FILL = 0xFFFFFF;

int placed = 0; // windows placed with CW_USEDEFAULT so far

// Windows placed with CW_USEDEFAULT cascade down and to the right, in steps of one caption.
POINT next_default_position() {
    int step = user::CAPTION - 7;
    POINT p{LONG((placed % 8) * step), LONG((placed % 8) * step)};
    placed++;
    return p;
}

// CW_USEDEFAULT for the position ignores y; for the size it picks three quarters of the screen
// and ignores the height, as Windows does for overlapped windows.
void resolve_defaults(int &x, int &y, int &width, int &height) {
    if (x == CW_USEDEFAULT) {
        POINT p = next_default_position();
        x = p.x;
        y = p.y;
    } else if (y == CW_USEDEFAULT) {
        y = 0;
    }
    if (width == CW_USEDEFAULT) {
        width = display::backend().screen_width() * 3 / 4;
        height = display::backend().screen_height() * 3 / 4;
    } else if (height == CW_USEDEFAULT) {
        height = display::backend().screen_height() * 3 / 4;
    }
    width = user::window_size(width);
    height = user::window_size(height);
}

// Removes a window that never finished its creation: no WM_DESTROY, as on Windows.
void discard_window(HWND handle) {
    user::Window *w = user::find_window(handle);
    if (!w) return;
    display::backend().destroy_window(w->display_window);
    user::window_table().remove(reinterpret_cast<uintptr_t>(handle));
}

} // namespace

HWND CreateWindowExA(DWORD ex_style, LPCSTR class_name, LPCSTR title, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param) {
    const user::WindowClass *window_class = user::find_class(class_name);
    if (!window_class) return nullptr;
    resolve_defaults(x, y, width, height);

    user::Window w;
    w.class_atom = window_class->atom;
    w.procedure = window_class->procedure;
    w.title = title ? title : "";
    w.style = style & ~DWORD(WS_VISIBLE); // visibility is kept in `visible`
    w.ex_style = ex_style;
    w.outer = RECT{LONG(x), LONG(y), LONG(int64_t(x) + width), LONG(int64_t(y) + height)};
    user::client_size_for(w.style, false, width, height, w.client_width, w.client_height);
    w.surface = std::make_shared<platform::Surface>();
    w.surface->resize(w.client_width, w.client_height, NEW_WINDOW_FILL);
    user::set_drawing_area(w);
    w.display_window = display::backend().create_window(w.title, user::placement_of(w),
                                                        (style & WS_THICKFRAME) != 0);
    if (!w.display_window) return nullptr; // the backend could not make a window
    HWND handle = reinterpret_cast<HWND>(user::window_table().add(std::move(w)));
    user::find_window(handle)->handle = handle;

    CREATESTRUCTA create{};
    create.lpCreateParams = param;
    create.hInstance = instance;
    create.hMenu = menu;
    create.hwndParent = parent;
    create.cx = width;
    create.cy = height;
    create.x = x;
    create.y = y;
    create.style = LONG(style);
    create.lpszName = title;
    create.lpszClass = class_name;
    create.dwExStyle = ex_style;
    if (!SendMessageA(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create))) {
        discard_window(handle);
        return nullptr;
    }
    if (SendMessageA(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        DestroyWindow(handle);
        return nullptr;
    }
    // The procedure may have destroyed the window already, or attached a menu bar.
    user::Window *created = user::find_window(handle);
    if (!created) return nullptr;
    POINT origin = user::client_origin(*created);
    LPARAM size = MAKELPARAM(created->client_width, created->client_height);
    SendMessageA(handle, WM_SIZE, SIZE_RESTORED, size);
    SendMessageA(handle, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
    if ((style & WS_VISIBLE) && IsWindow(handle)) ShowWindow(handle, SW_SHOW);
    return IsWindow(handle) ? handle : nullptr;
}

BOOL DestroyWindow(HWND window) {
    user::Window *w = user::find_window(window);
    if (!w) return FALSE;
    if (w->destroying) return TRUE; // called again from its own WM_DESTROY handling
    w->destroying = true;
    user::close_menu_of(window);
    if (w->visible) {
        w->visible = false;
        user::set_drawing_area(*w);
        display::backend().show_window(w->display_window, false);
    }
    user::window_hidden(window);
    SendMessageA(window, WM_DESTROY, 0, 0);
    SendMessageA(window, WM_NCDESTROY, 0, 0);

    // Its own WM_DESTROY cannot destroy it again (see `destroying`): `w` is still its record.
    user::kill_window_timers(window);
    // The window's menu bar goes with it, as on Windows.
    if (w->menu) DestroyMenu(w->menu);
    user::forget_window_messages(window);
    if (GetFocus() == window) SetFocus(nullptr);
    display::backend().destroy_window(w->display_window);
    user::window_table().remove(reinterpret_cast<uintptr_t>(window));
    return TRUE;
}

BOOL IsWindow(HWND window) {
    return user::find_window(window) != nullptr;
}

BOOL IsWindowVisible(HWND window) {
    user::Window *w = user::find_window(window);
    return w && w->visible;
}

BOOL ShowWindow(HWND window, int show) {
    user::Window *w = user::find_window(window);
    if (!w || w->destroying) return FALSE;
    bool was_visible = w->visible;
    bool visible = show != SW_HIDE;
    bool activate =
        visible && show != SW_SHOWNA && show != SW_SHOWNOACTIVATE && show != SW_SHOWMINNOACTIVE;
    if (visible != was_visible) {
        SendMessageA(window, WM_SHOWWINDOW, visible, 0);
        w = user::find_window(window);
        if (!w) return was_visible;
        w->visible = visible;
        user::set_drawing_area(*w);
        if (!visible) user::close_menu_of(window);
        display::backend().show_window(w->display_window, visible);
        if (visible) {
            // A newly shown window has no valid content on screen: it is painted afresh, and
            // its surface is presented even if the program draws nothing.
            user::invalidate_window(*w, true);
            w->surface->changed = true;
        }
    }
    if (visible)
        user::window_shown(window, activate);
    else if (was_visible)
        user::window_hidden(window);
    return was_visible;
}

BOOL UpdateWindow(HWND window) {
    user::Window *w = user::find_window(window);
    if (!w) return FALSE;
    if (w->visible && w->invalid) SendMessageA(window, WM_PAINT, 0, 0);
    return TRUE;
}

BOOL SetWindowTextA(HWND window, LPCSTR text) {
    user::Window *w = user::find_window(window);
    if (!w) return FALSE;
    w->title = text ? text : "";
    display::backend().set_title(w->display_window, w->title);
    return TRUE;
}

void user::reset_windows() {
    window_table().clear();
    placed = 0;
}

namespace {

// The saved records hold on to the windows' surfaces, so the DCs made for them still find them
// after a restore; their pixels are kept apart and copied back into them.
struct SavedWindows {
    platform::HandleTable<user::Window>::Saved table;
    std::vector<std::pair<std::shared_ptr<platform::Surface>, platform::Surface>> pixels;
    int placed = 0;
};
SavedWindows saved_windows;

} // namespace

void user::save_windows() {
    saved_windows.table = window_table().save();
    saved_windows.pixels.clear();
    window_table().for_each([](uintptr_t, Window &w) {
        if (w.surface) saved_windows.pixels.emplace_back(w.surface, *w.surface);
    });
    saved_windows.placed = placed;
}

void user::restore_windows() {
    window_table().restore(saved_windows.table);
    for (auto &[surface, pixels] : saved_windows.pixels) *surface = pixels;
    placed = saved_windows.placed;
}
