// Window classes and windows: the records behind HWND values.
#pragma once

#include "platform/handle_table.h"
#include "platform/surface.h"
#include "platform/win.h"

#include <memory>
#include <string>

namespace user {

struct WindowClass {
    std::string name;
    ATOM atom = 0;
    UINT style = 0;
    WNDPROC procedure = nullptr;
    HBRUSH background = nullptr;
    HICON icon = nullptr;
    HCURSOR cursor = nullptr;
    HINSTANCE instance = nullptr;
};

// A top-level window. Its surface holds the backend window's content: the menu bar rows (when
// there is a menu bar) above the client area, both as wide as the client area. The window's DCs
// draw into it too, within the client rows: they share it, and lose it when the window goes.
struct Window {
    HWND handle = nullptr;
    ATOM class_atom = 0;
    WNDPROC procedure = nullptr;
    std::string title;
    DWORD style = 0;
    DWORD ex_style = 0;
    RECT outer{}; // screen coordinates
    int menu_bar_height = 0;
    HMENU menu = nullptr;        // the menu bar, when SetMenu attached one
    bool menu_bar_stale = false; // the bar's rows do not show the bar as it is now
    int client_width = 0, client_height = 0;
    // Its `changed` flag: not yet presented since its pixels last changed.
    std::shared_ptr<platform::Surface> surface;
    int display_window = 0; // the backend's id

    bool visible = false;
    bool destroying = false; // DestroyWindow has begun: no second WM_DESTROY

    // Painting state: whole-window granularity, the update rectangle is kept for PAINTSTRUCT.
    bool invalid = false;
    bool erase_pending = false;
    platform::Rect update;
    bool erasing = false; // BeginPaint is erasing `erase_area` through WM_ERASEBKGND
    platform::Rect erase_area;
};

platform::HandleTable<Window> &window_table();

// The live window behind `window`, or null. A record stays where it is for the window's life;
// after a call that can run a window procedure, look the window up again only to learn whether
// the procedure destroyed it.
Window *find_window(HWND window);

// The window shown in backend window `display_window`, or null.
Window *find_window_by_display(int display_window);

// The registered class with this name (case-insensitive, as Windows) or atom, or null.
WindowClass *find_class(LPCSTR name_or_atom);
WindowClass *find_class_by_atom(ATOM atom);

} // namespace user
