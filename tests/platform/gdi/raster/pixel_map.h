// Pixel maps: the reference drawings in tests/data/gdi-maps, and images to compare with them.
#pragma once

#include "platform/gdi/raster/raster.h"

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

// A white image of width x height pixels with a target covering all of it.
struct Image {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;

    Image(int w, int h, uint32_t fill = WHITE) : width(w), height(h), pixels(size_t(w * h), fill) {}
    raster::Target target();
    // A target clipped to [left, right) x [top, bottom), with device coordinates offset.
    raster::Target target(int left, int top, int right, int bottom, int offset_x = 0,
                          int offset_y = 0);
    uint32_t at(int x, int y) const { return pixels[size_t(y * width + x)]; }
    bool operator==(const Image &) const = default;
};

// The map's characters for the image's pixels in the map's range; '?' for other colours.
std::string render(const Image &image, const PixelMap &map);
std::string expected(const PixelMap &map);

// Pixel rows as text, for readable failures.
std::string show(const Image &image);

} // namespace raster_test
