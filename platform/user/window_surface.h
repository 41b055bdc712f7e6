// What the GDI side needs from windows: where a window's client area pixels are.
#pragma once

#include "platform/gdi/raster/raster.h"
#include "platform/win.h"

namespace user {

// The client area of `window` as a drawing target: device (0, 0) is the client's top-left
// pixel and the clip is the client rectangle. False if the window does not exist (any more).
bool window_client_target(HWND window, raster::Target &target);

// The window's pixels changed: present them at the next opportunity.
void window_surface_changed(HWND window);

// Scrolls the whole client area of `window` by dy rows (up when negative) without moving its
// pixels: rows that leave the client area are gone, rows that nothing moves into keep theirs.
// Targets handed out afterwards already account for it. False if the window has no client
// area to draw on (as window_client_target).
bool scroll_window_client(HWND window, int dy);

} // namespace user
