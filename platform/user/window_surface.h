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

} // namespace user
