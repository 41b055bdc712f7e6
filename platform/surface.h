// A block of 32-bit pixels: the memory behind bitmaps and window client areas.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

// Pixels are 0x00RRGGBB, rows top to bottom, no padding.
struct Surface {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    void resize(int w, int h, uint32_t fill) {
        width = w > 0 ? w : 0;
        height = h > 0 ? h : 0;
        pixels.assign(size_t(width) * size_t(height), fill);
    }
    uint32_t *row(int y) { return pixels.data() + size_t(y) * size_t(width); }
    const uint32_t *row(int y) const { return pixels.data() + size_t(y) * size_t(width); }
    uint32_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

// A COLORREF (0x00BBGGRR) as a surface pixel, and back.
inline uint32_t pixel_from_colorref(uint32_t c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
inline uint32_t colorref_from_pixel(uint32_t p) {
    return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
}

} // namespace platform
