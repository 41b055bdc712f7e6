// The display's whole scale factor.
#include "platform/display/sdl/display_scale.h"

#include <algorithm>
#include <cstdlib>

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

} // namespace sdl_display
