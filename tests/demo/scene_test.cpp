#include <gtest/gtest.h>

#include "demo/demo.h"
#include "fake_gfx.h"

static std::vector<GfxCall> scene_at(int phase, int cycle) {
    return record([&] { draw_scene(phase, cycle); });
}

TEST(DrawScene, FirstFrameHasBothFishAndTheSmallestRings) {
    auto calls = scene_at(0, 0);
    ASSERT_EQ(calls.size(), 60u);
    EXPECT_EQ(calls[0], (GfxCall{"gfx_rectangle", {ICE_BLUE, -300, -250, 300, 250, 0}}));
    EXPECT_EQ(calls[2], (GfxCall{"gfx_circle", {SEA_GREEN, -350, -200, 25}}));
    EXPECT_EQ(calls[15], (GfxCall{"gfx_circle", {SEA_GREEN, 300, -200, 25}}));
    EXPECT_EQ(calls[16], (GfxCall{"gfx_circle", {YELLOW, 300, -235, 5}}));
    EXPECT_EQ(calls[19], (GfxCall{"gfx_circle", {ORANGE, 400, -235, 7}}));
    EXPECT_EQ(calls[22], (GfxCall{"gfx_triangle", {BLUE, 400, -235, 393, -242, 393, -228, 0}}));
    EXPECT_EQ(calls[25], (GfxCall{"gfx_oval", {YELLOW, -40, 210, -60, 190, 2}}));
    EXPECT_EQ(calls[31], (GfxCall{"gfx_oval", {YELLOW, 20, 270, -120, 130, 2}}));
    EXPECT_EQ(calls[59],
              (GfxCall{"gfx_printf",
                       {BLACK, -285, -240, 12},
                       "Click a number to choose bug, then click button to control the bug."}));
}

TEST(DrawScene, FishAndMouthDecideTheCallCount) {
    EXPECT_EQ(scene_at(1, 0).size(), 59u);
    EXPECT_EQ(scene_at(50, 0).size(), 60u);
    EXPECT_EQ(scene_at(5, 1).size(), 53u);
    EXPECT_EQ(scene_at(3, 2).size(), 59u);
    EXPECT_EQ(scene_at(45, 2).size(), 60u);
}

TEST(DrawScene, RingsGrowWithThePhase) {
    auto calls = scene_at(50, 1); // no fish: the first ring is call 19
    EXPECT_EQ(calls[18], (GfxCall{"gfx_oval", {YELLOW, 10, 260, -110, 140, 2}}));
    EXPECT_EQ(calls[24], (GfxCall{"gfx_oval", {YELLOW, 70, 320, -170, 80, 2}}));
}

TEST(DrawScene, PhaseRunsToFiftyThenTheCycleCounts) {
    int phase = 0, cycle = 0;
    for (int frame = 0; frame < 50; frame++) draw_scene(phase, cycle);
    EXPECT_EQ(phase, 50);
    EXPECT_EQ(cycle, 0);
    draw_scene(phase, cycle);
    EXPECT_EQ(phase, 0);
    EXPECT_EQ(cycle, 1);
}
