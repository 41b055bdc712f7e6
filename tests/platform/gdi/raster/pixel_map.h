// Pixel maps: the reference drawings in tests/data/gdi-maps, and images to compare with them.
#pragma once

#include "platform/gdi/raster/raster.h"

#include <algorithm>

#include <cstdint>
#include <string>
#include <vector>

namespace raster_test {

constexpr uint32_t WHITE = 0xFFFFFF, RED = 0xFF0000, BLUE = 0x0000FF, BLACK = 0x000000;

// One map: "== title  x X0..X1  y Y0..Y1", then one row of characters per pixel row:
// '.' white, '#' the pen colour (red), 'o' the brush colour (blue), 'k' black.
struct PixelMap {
    std::string file;
    std::string title;
    int x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    std::vector<std::string> rows; // rows[y - y0][x - x0]
};

// Every map of a file in the maps folder.
std::vector<PixelMap> load_maps(const std::string &file_name);

// A white image of width x height pixels, a surface to draw on.
struct Image {
    int width = 0, height = 0;
    platform::Surface surface;

    Image(int w, int h, uint32_t fill = WHITE) : width(w), height(h) { surface.resize(w, h, fill); }
    // The surface with its whole area to draw on, device (0, 0) at its top-left.
    platform::Surface &target();
    // The surface clipped to [left, right) x [top, bottom), with device coordinates offset.
    platform::Surface &target(int left, int top, int right, int bottom, int offset_x = 0,
                              int offset_y = 0);
    uint32_t at(int x, int y) const { return surface.at(x, y); }
    // Every pixel of colour `from` becomes `to`.
    void replace(uint32_t from, uint32_t to) {
        std::replace(surface.data(), surface.data() + size_t(width) * size_t(height), from, to);
    }
    bool operator==(const Image &other) const {
        return width == other.width && height == other.height &&
               std::equal(surface.data(), surface.data() + size_t(width) * size_t(height),
                          other.surface.data());
    }
};

// The map's characters for the image's pixels in the map's range; '?' for other colours.
std::string render(const Image &image, const PixelMap &map);
std::string expected(const PixelMap &map);

// Pixel rows as text, for readable failures.
std::string show(const Image &image);

} // namespace raster_test
