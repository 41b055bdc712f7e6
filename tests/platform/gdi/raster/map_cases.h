// The drawing calls behind each reference map, and the maps that are not test vectors.
#pragma once

#include "pixel_map.h"

#include <functional>
#include <optional>
#include <string>

namespace raster_test {

struct MapCase {
    std::string skip_reason; // set for maps that are not test vectors
    int width = 0, height = 0;
    std::function<void(platform::Surface &)> draw;
};

// The case for a map; nothing when its title is not recognised.
std::optional<MapCase> map_case(const PixelMap &map);

} // namespace raster_test
