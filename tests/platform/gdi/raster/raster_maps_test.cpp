// Every shape map measured on the reference platform, reproduced pixel for pixel.
#include "map_cases.h"

#include <gtest/gtest.h>

namespace raster_test {
namespace {

const char *const MAP_FILES[] = {"lines.txt",        "rectangles.txt", "ellipse_sizes.txt",
                                 "ellipse_wide.txt", "polygons.txt",   "misc.txt"};

class RasterMaps : public testing::TestWithParam<const char *> {};

TEST_P(RasterMaps, EveryShapeMapIsReproduced) {
    int reproduced = 0, skipped = 0;
    for (const PixelMap &map : load_maps(GetParam())) {
        std::optional<MapCase> c = map_case(map);
        ASSERT_TRUE(c) << "no drawing for map " << map.title;
        if (!c->skip_reason.empty()) {
            skipped++;
            continue;
        }
        Image image(c->width, c->height);
        c->draw(image.target());
        EXPECT_EQ(render(image, map), expected(map)) << map.title;
        reproduced++;
    }
    std::printf("%s: %d maps reproduced, %d skipped\n", GetParam(), reproduced, skipped);
    EXPECT_GT(reproduced, 0);
}

INSTANTIATE_TEST_SUITE_P(Files, RasterMaps, testing::ValuesIn(MAP_FILES),
                         [](const testing::TestParamInfo<const char *> &info) {
                             std::string name = info.param;
                             return name.substr(0, name.find('.'));
                         });

} // namespace
} // namespace raster_test
