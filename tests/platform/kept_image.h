// Pictures of the stand-in's drawing compared with the ones kept in the source tree: each test
// writes what it drew as a PNG in the build folder (to be looked at, and what `make golden`
// copies after a deliberate change), then compares it pixel by pixel with the kept one.
#pragma once

#include "platform/png_file.h"
#include "platform/surface.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Writes `s` to `written`, then expects it to equal the picture in `kept`; on a difference,
// reports how many pixels differ and the first of them.
inline void expect_kept_image(const platform::Surface &s, const std::string &written,
                              const std::string &kept) {
    std::string error;
    ASSERT_TRUE(platform::write_png(written, s.data(), s.width, s.height, s.width, error)) << error;
    std::vector<uint32_t> want;
    int width = 0, height = 0;
    ASSERT_TRUE(platform::read_png(kept, want, width, height, error)) << error;
    ASSERT_EQ(width, s.width);
    ASSERT_EQ(height, s.height);
    int differing = 0, first_x = 0, first_y = 0;
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++)
            if ((s.at(x, y) & 0xFFFFFF) !=
                    (want[size_t(y) * size_t(width) + size_t(x)] & 0xFFFFFF) &&
                differing++ == 0) {
                first_x = x;
                first_y = y;
            }
    EXPECT_EQ(differing, 0) << written << " differs from " << kept << ", first at (" << first_x
                            << ", " << first_y << ")";
}
