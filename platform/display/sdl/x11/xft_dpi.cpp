// The X resource Xft.dpi, read from the root window's resource database.
#include "platform/display/sdl/x11/xft_dpi.h"

#include <cstdlib>
#include <string>
#include <xcb/xcb.h>

namespace sdl_display {

namespace {

// The value of resource `name` in an X resource database string ("name:\tvalue" lines), or "".
std::string resource_value(const std::string &database, const std::string &name) {
    size_t start = 0;
    while (start < database.size()) {
        size_t end = database.find('\n', start);
        if (end == std::string::npos) end = database.size();
        std::string line = database.substr(start, end - start);
        if (line.compare(0, name.size() + 1, name + ":") == 0) {
            size_t value = line.find_first_not_of(" \t", name.size() + 1);
            return value == std::string::npos ? "" : line.substr(value);
        }
        start = end + 1;
    }
    return "";
}

} // namespace

int x_resource_dpi() {
    int screen_number = 0;
    xcb_connection_t *connection = xcb_connect(nullptr, &screen_number);
    int dpi = 0;
    if (!xcb_connection_has_error(connection)) {
        xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
        for (int i = 0; i < screen_number && screens.rem; i++) xcb_screen_next(&screens);
        if (screens.rem) {
            constexpr uint32_t MAX_WORDS = 1 << 16;
            xcb_get_property_cookie_t cookie =
                xcb_get_property(connection, 0, screens.data->root, XCB_ATOM_RESOURCE_MANAGER,
                                 XCB_ATOM_STRING, 0, MAX_WORDS);
            if (xcb_get_property_reply_t *reply =
                    xcb_get_property_reply(connection, cookie, nullptr)) {
                std::string database(static_cast<const char *>(xcb_get_property_value(reply)),
                                     size_t(xcb_get_property_value_length(reply)));
                dpi = int(std::strtod(resource_value(database, "Xft.dpi").c_str(), nullptr) + 0.5);
                std::free(reply);
            }
        }
    }
    xcb_disconnect(connection);
    return dpi;
}

} // namespace sdl_display
