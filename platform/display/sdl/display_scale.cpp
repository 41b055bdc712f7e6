// The display's whole scale factor.
#include "platform/display/sdl/display_scale.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <xcb/xcb.h>

namespace sdl_display {

namespace {

constexpr int BASE_DPI = 96;
constexpr int MAX_SCALE = 8;

// A whole number from 1 to MAX_SCALE, or 0.
int whole_number(const char *text) {
    if (!text || !*text) return 0;
    char *end = nullptr;
    long value = std::strtol(text, &end, 10);
    return *end == '\0' && value >= 1 && value <= MAX_SCALE ? int(value) : 0;
}

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

int whole_scale(const char *gdk_scale, int xft_dpi, int screen_width, int screen_height,
                int needed_width, int needed_height) {
    int scale = whole_number(gdk_scale);
    if (!scale) scale = xft_dpi > 0 ? (xft_dpi + BASE_DPI / 2 - 1) / BASE_DPI : 1;
    scale = std::max(1, std::min(scale, MAX_SCALE));
    while (scale > 1 &&
           (needed_width * scale > screen_width || needed_height * scale > screen_height))
        scale--;
    return scale;
}

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
