// Until the window layer is linked in, these stand for its drawing side: a window has no pixels.
// They are weak, so the window layer's own definitions take their place once it is there.
#include "platform/user/window_surface.h"

namespace user {

__attribute__((weak)) bool window_client_target(HWND, raster::Target &) {
    return false;
}
__attribute__((weak)) void window_surface_changed(HWND) {}
__attribute__((weak)) bool scroll_window_client(HWND, int) {
    return false;
}

} // namespace user
