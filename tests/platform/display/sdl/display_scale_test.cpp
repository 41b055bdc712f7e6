// Choosing the whole scale factor of a display.
#include "platform/display/sdl/display_scale.h"

#include <gtest/gtest.h>

using sdl_display::whole_scale;

TEST(DisplayScale, OrdinaryDensityIsOne) {
    EXPECT_EQ(whole_scale(nullptr, 0, 1920, 1080, 800, 600), 1);
    EXPECT_EQ(whole_scale(nullptr, 96, 1920, 1080, 800, 600), 1);
}

TEST(DisplayScale, XftDpiRoundsWithHalvesDown) {
    EXPECT_EQ(whole_scale(nullptr, 120, 3840, 2160, 800, 600), 1);
    EXPECT_EQ(whole_scale(nullptr, 144, 3840, 2160, 800, 600), 1); // 1.5
    EXPECT_EQ(whole_scale(nullptr, 168, 3840, 2160, 800, 600), 2);
    EXPECT_EQ(whole_scale(nullptr, 192, 3840, 2160, 800, 600), 2);
    EXPECT_EQ(whole_scale(nullptr, 288, 3840, 2160, 800, 600), 3);
}

TEST(DisplayScale, GdkScaleWinsWhenItIsAWholeNumber) {
    EXPECT_EQ(whole_scale("2", 96, 3840, 2160, 800, 600), 2);
    EXPECT_EQ(whole_scale("1", 192, 3840, 2160, 800, 600), 1);
    EXPECT_EQ(whole_scale("1.5", 192, 3840, 2160, 800, 600), 2);
    EXPECT_EQ(whole_scale("", 192, 3840, 2160, 800, 600), 2);
    EXPECT_EQ(whole_scale("0", 96, 3840, 2160, 800, 600), 1);
    EXPECT_EQ(whole_scale("-2", 96, 3840, 2160, 800, 600), 1);
    EXPECT_EQ(whole_scale("two", 96, 3840, 2160, 800, 600), 1);
}

TEST(DisplayScale, TheScreenMustKeepRoomForTheNeededSize) {
    EXPECT_EQ(whole_scale("3", 0, 1920, 1080, 800, 600), 1); // 2 would leave 540 rows
    EXPECT_EQ(whole_scale("3", 0, 2560, 1600, 800, 600), 2);
    EXPECT_EQ(whole_scale(nullptr, 960, 3840, 2160, 800, 600), 3); // at most what fits
    EXPECT_EQ(whole_scale("2", 0, 640, 480, 800, 600), 1);         // never below 1
}
