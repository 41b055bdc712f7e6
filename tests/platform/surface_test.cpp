// Surfaces skip the rows a copy already holds, by their row ids. Every way of writing pixels must
// give the rows it writes new ids, or a copy onto an older copy keeps stale pixels: after each
// step of a random sequence of writes, scrolls and resizes, copies made onto the surface's
// earlier copies must hold exactly its pixels.
#include "platform/gdi/raster/clip.h"
#include "platform/surface.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using platform::Surface;

namespace {

bool same_pixels(const Surface &a, const Surface &b) {
    if (a.width != b.width || a.height != b.height) return false;
    for (int y = 0; y < a.height; y++)
        for (int x = 0; x < a.width; x++)
            if (a.at(x, y) != b.at(x, y)) return false;
    return true;
}

} // namespace

TEST(Surface, CopiesOntoEarlierCopiesHoldThePixelsWhateverWroteThem) {
    std::mt19937 random(7);
    auto pick = [&](int n) { return int(random() % uint32_t(n)); };
    Surface surface;
    surface.resize(40, 30, 0x000000);
    std::vector<Surface> earlier(4, surface);
    for (int step = 0; step < 3000; step++) {
        const uint32_t color = random() & 0xFFFFFF;
        switch (pick(7)) {
        case 0: surface.row(pick(surface.height))[pick(surface.width)] = color; break;
        case 1: surface.data()[pick(surface.width * surface.height)] = color; break;
        case 2: { // the rasterizer: spans and boxes through a clip
            raster::Clip c = raster::clip_of(surface);
            raster::fill_span(c, pick(surface.height), pick(50) - 5, pick(50) - 5, color);
            raster::fill_box(c, pick(50) - 5, pick(40) - 5, pick(50) - 5, pick(40) - 5, color);
            break;
        }
        case 3: surface.scroll(pick(surface.height), pick(21) - 10); break;
        case 4: surface.resize(20 + pick(30), 10 + pick(30), color); break;
        case 5: { // a whole row from another surface, from a column on
            Surface other;
            other.resize(surface.width + 8, 3, color);
            other.row(1)[pick(other.width)] = ~color & 0xFFFFFF;
            surface.copy_row(pick(surface.height), other, 1, pick(9));
            break;
        }
        case 6: earlier[size_t(pick(4))] = surface; break;
        }
        Surface &copy = earlier[size_t(pick(4))];
        copy = surface;
        ASSERT_TRUE(same_pixels(copy, surface)) << "after step " << step;
    }
}
