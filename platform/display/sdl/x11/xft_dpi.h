// The desktop's dots per inch on X11: the X resource that programs scale by.
#pragma once

namespace sdl_display {

// The X resource Xft.dpi of the display in DISPLAY, or 0 when unset or unreadable.
int x_resource_dpi();

} // namespace sdl_display
