// Reading pixel maps and rendering images in their characters.
#include "pixel_map.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace raster_test {

namespace {

std::string without_cr(std::string line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

char char_of(uint32_t pixel) {
    switch (pixel) {
    case WHITE: return '.';
    case RED: return '#';
    case BLUE: return 'o';
    case BLACK: return 'k';
    default: return '?';
    }
}

} // namespace

std::vector<PixelMap> load_maps(const std::string &file_name) {
    std::string path = std::string(KORVA_GDI_MAPS_DIR) + "/" + file_name;
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::vector<PixelMap> maps;
    std::string line;
    PixelMap *current = nullptr;
    while (std::getline(in, line)) {
        line = without_cr(line);
        if (line.rfind("== ", 0) == 0) {
            PixelMap map;
            map.file = file_name;
            char title[256];
            if (std::sscanf(line.c_str(), "== %255s x %d..%d y %d..%d", title, &map.x0, &map.x1,
                            &map.y0, &map.y1) != 5)
                throw std::runtime_error("bad title line: " + line);
            map.title = title;
            maps.push_back(map);
            current = &maps.back();
            continue;
        }
        // Pixel rows: "  12 |....#...|".
        size_t bar = line.find('|');
        if (!current || bar == std::string::npos || line.back() != '|' || bar + 1 >= line.size())
            continue;
        current->rows.push_back(line.substr(bar + 1, line.size() - bar - 2));
    }
    for (const PixelMap &map : maps) {
        if (int(map.rows.size()) != map.y1 - map.y0 + 1)
            throw std::runtime_error("wrong row count in " + map.title);
        for (const std::string &row : map.rows)
            if (int(row.size()) != map.x1 - map.x0 + 1)
                throw std::runtime_error("wrong row width in " + map.title);
    }
    return maps;
}

platform::Surface &Image::target() {
    return target(0, 0, width, height);
}

platform::Surface &Image::target(int left, int top, int right, int bottom, int offset_x,
                                 int offset_y) {
    surface.clip = platform::Rect{left, top, right, bottom};
    surface.origin_x = offset_x;
    surface.origin_y = offset_y;
    return surface;
}

std::string render(const Image &image, const PixelMap &map) {
    std::ostringstream out;
    for (int y = map.y0; y <= map.y1; y++) {
        out << (y < 10 ? " " : "") << y << " |";
        for (int x = map.x0; x <= map.x1; x++) out << char_of(image.at(x, y));
        out << "|\n";
    }
    return out.str();
}

std::string expected(const PixelMap &map) {
    std::ostringstream out;
    for (int y = map.y0; y <= map.y1; y++)
        out << (y < 10 ? " " : "") << y << " |" << map.rows[size_t(y - map.y0)] << "|\n";
    return out.str();
}

std::string show(const Image &image) {
    std::ostringstream out;
    for (int y = 0; y < image.height; y++) {
        for (int x = 0; x < image.width; x++) out << char_of(image.at(x, y));
        out << '\n';
    }
    return out.str();
}

} // namespace raster_test
