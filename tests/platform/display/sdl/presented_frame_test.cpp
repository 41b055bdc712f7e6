// The kept frame: which rows changed, and writing them at a whole scale without overrunning.
#include "platform/display/sdl/presented_frame.h"

#include <gtest/gtest.h>
#include <vector>

using sdl_display::PresentedFrame;
using sdl_display::RowBand;

namespace {

std::vector<uint32_t> frame_of(int width, int height, uint32_t fill) {
    return std::vector<uint32_t>(size_t(width) * size_t(height), fill);
}

} // namespace

TEST(PresentedFrame, ReportsTheBandOfChangedRows) {
    PresentedFrame kept;
    std::vector<uint32_t> pixels = frame_of(4, 12, 0x112233);
    RowBand first = kept.update(pixels.data(), 4, 12);
    EXPECT_EQ(first.top, 0);
    EXPECT_EQ(first.bottom, 12);
    EXPECT_TRUE(kept.update(pixels.data(), 4, 12).empty());
    pixels[5 * 4 + 3] = 0xFFFFFF;
    pixels[9 * 4 + 0] = 0x000000;
    RowBand changed = kept.update(pixels.data(), 4, 12);
    EXPECT_EQ(changed.top, 5);
    EXPECT_EQ(changed.bottom, 10);
    EXPECT_EQ(kept.row(9)[0], 0x000000u);
    EXPECT_TRUE(kept.update(pixels.data(), 4, 12).empty());
}

TEST(PresentedFrame, ANewSizeChangesEveryRow) {
    PresentedFrame kept;
    std::vector<uint32_t> pixels = frame_of(4, 12, 7);
    kept.update(pixels.data(), 4, 12);
    RowBand all = kept.update(pixels.data(), 3, 12);
    EXPECT_EQ(all.top, 0);
    EXPECT_EQ(all.bottom, 12);
    EXPECT_EQ(kept.width(), 3);
}

TEST(PresentedFrame, WritesEachPixelAsASquareWithTheAlphaMask) {
    PresentedFrame kept;
    std::vector<uint32_t> pixels = {0x010203, 0x040506, 0x070809, 0x0A0B0C};
    kept.update(pixels.data(), 2, 2);
    std::vector<uint32_t> screen(4 * 4, 0);
    kept.write_scaled(RowBand{0, 2}, 2, 0xFF000000, screen.data(), 4 * sizeof(uint32_t), 4, 4);
    std::vector<uint32_t> expected = {
        0xFF010203, 0xFF010203, 0xFF040506, 0xFF040506, 0xFF010203, 0xFF010203,
        0xFF040506, 0xFF040506, 0xFF070809, 0xFF070809, 0xFF0A0B0C, 0xFF0A0B0C,
        0xFF070809, 0xFF070809, 0xFF0A0B0C, 0xFF0A0B0C,
    };
    EXPECT_EQ(screen, expected);
}

TEST(PresentedFrame, TheDestinationStartsAtTheBandsFirstRow) {
    PresentedFrame kept;
    std::vector<uint32_t> pixels = {1, 2, 3, 4, 5, 6};
    kept.update(pixels.data(), 2, 3);
    std::vector<uint32_t> band(2 * 1, 0);
    kept.write_scaled(RowBand{1, 2}, 1, 0, band.data(), 2 * sizeof(uint32_t), 2, 1);
    EXPECT_EQ(band, (std::vector<uint32_t>{3, 4}));
}

TEST(PresentedFrame, NeverWritesBeyondTheDestination) {
    // A window made smaller than the frame: the frame is cut, the memory around it untouched.
    PresentedFrame kept;
    std::vector<uint32_t> pixels = frame_of(10, 10, 0x00ABCDEF);
    kept.update(pixels.data(), 10, 10);
    constexpr uint32_t GUARD = 0xDEADBEEF;
    int width = 7, height = 5, pitch_pixels = 8; // a padded row
    std::vector<uint32_t> screen(size_t(pitch_pixels) * (height + 1), GUARD);
    kept.write_scaled(RowBand{0, 10}, 2, 0, screen.data(), pitch_pixels * sizeof(uint32_t), width,
                      height);
    for (int y = 0; y <= height; y++)
        for (int x = 0; x < pitch_pixels; x++) {
            bool inside = y < 4 && x < 6; // whole squares only: 3 x 2 frame pixels
            EXPECT_EQ(screen[size_t(y) * pitch_pixels + x], inside ? 0x00ABCDEFu : GUARD)
                << x << "," << y;
        }
}
