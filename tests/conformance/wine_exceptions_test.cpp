// The rule that leaves Wine's tall narrow ellipses out must match what was measured under Wine
// (gdi-rules.md 5.4): it must not hide any other record.
#include "tools/conformance/wine_exceptions.h"

#include <gtest/gtest.h>

#include <map>

namespace {

TEST(WineExceptions, WalkFailsFromTheMeasuredHeightOn) {
    // Width: the first height below 200 at which Wine's walk misses the last row.
    const std::map<int, int> first_failing = {{3, 8},   {4, 7},    {5, 32},  {6, 20},
                                              {7, 72},  {8, 40},   {9, 128}, {10, 65},
                                              {12, 97}, {14, 136}, {16, 180}};
    for (int width = 3; width <= 30; width++) {
        auto measured = first_failing.find(width);
        int expected = measured == first_failing.end() ? 0 : measured->second;
        int first = 0;
        for (int height = 3; height < 200 && first == 0; height++)
            if (!ellipse_walk_reaches_last_row(width, height)) first = height;
        EXPECT_EQ(first, expected) << "width " << width;
    }
    // Measured under Wine 8.0 as well: Ellipse(10, 10, 21, 210) leaves rows 10 and 209 empty;
    // a 17-wide box 400 tall is drawn whole.
    EXPECT_FALSE(ellipse_walk_reaches_last_row(11, 200));
    EXPECT_TRUE(ellipse_walk_reaches_last_row(17, 400));
}

TEST(WineExceptions, OnlyTallNarrowOvalsAreLeftOut) {
    origin_x = 297;
    origin_y = 240;
    // Logical (0, 0) to (3, -7) is a device box 4 wide and 8 tall.
    DrawRecord oval = {SHAPE_OVAL, RED, 0, 0, 0, 3, -7, 0, 0, nullptr};
    EXPECT_NE(wine_exception(oval), nullptr);
    // Reversed corners: the far edge's + 1 lands on the near side, a box 3 wide and 8 tall.
    DrawRecord reversed = {SHAPE_OVAL, RED, 2, 4, -9, 0, 0, 0, 0, nullptr};
    EXPECT_NE(wine_exception(reversed), nullptr);
    DrawRecord wide = {SHAPE_OVAL, RED, 0, 0, 0, 7, -3, 0, 0, nullptr};
    EXPECT_EQ(wine_exception(wide), nullptr);
    DrawRecord short_one = {SHAPE_OVAL, RED, 0, 0, 0, 3, -5, 0, 0, nullptr};
    EXPECT_EQ(wine_exception(short_one), nullptr);
    DrawRecord rectangle = {SHAPE_RECTANGLE, RED, 0, 0, 0, 3, -7, 0, 0, nullptr};
    EXPECT_EQ(wine_exception(rectangle), nullptr);
    // Two pixels thin: drawn as a rectangle, Wine is an oracle again.
    DrawRecord thin = {SHAPE_OVAL, RED, 0, 0, 0, 1, -300, 0, 0, nullptr};
    EXPECT_EQ(wine_exception(thin), nullptr);
}

} // namespace
