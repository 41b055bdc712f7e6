#include <climits>

#include <gtest/gtest.h>

#include "demo/demo.h"
#include "fake_gfx.h"

TEST(DrawBug, FirstBugAtStartUpIsDrawnWithFifteenExactCalls) {
    std::vector<GfxCall> expected = {
        {"gfx_circle", {RED, 273, -51, 22}},
        {"gfx_line", {BLACK, 273, -29, 273, -15, 2}},
        {"gfx_circle", {BLACK, 273, -15, 5}},
        {"gfx_circle", {WHITE, 262, -46, 7}},
        {"gfx_circle", {BLACK, 265, -47, 5}},
        {"gfx_rectangle", {RED, 268, -78, 278, -70, 0}},
        {"gfx_circle", {RED, 273, -93, 16}},
        {"gfx_line", {BLACK, 273, -107, 262, -122, 2}},
        {"gfx_line", {BLACK, 262, -122, 278, -144, 2}},
        {"gfx_circle", {BLACK, 278, -144, 3}},
        {"gfx_line", {BLACK, 278, -107, 268, -122, 2}},
        {"gfx_line", {BLACK, 268, -122, 284, -144, 2}},
        {"gfx_circle", {BLACK, 284, -144, 3}},
        {"gfx_line", {BLACK, 273, -85, 244, -95, 2}},
        {"gfx_circle", {BLACK, 244, -95, 3}},
    };
    EXPECT_EQ(record([] { draw_bug(273, -150, 22, RED); }), expected);
}

// Size 6 left of the origin: the small divisions truncate, and toward zero where x is 0.
TEST(DrawBug, SmallestBugTruncatesEveryTerm) {
    std::vector<GfxCall> expected = {
        {"gfx_circle", {BLUE, 0, -123, 6}},
        {"gfx_line", {BLACK, 0, -117, 0, -113, 2}},
        {"gfx_circle", {BLACK, 0, -113, 1}},
        {"gfx_circle", {WHITE, -3, -122, 2}},
        {"gfx_circle", {BLACK, -2, -122, 1}},
        {"gfx_rectangle", {BLUE, -1, -130, 1, -128, 0}},
        {"gfx_circle", {BLUE, 0, -134, 4}},
        {"gfx_line", {BLACK, 0, -138, -3, -142, 2}},
        {"gfx_line", {BLACK, -3, -142, 1, -148, 2}},
        {"gfx_circle", {BLACK, 1, -148, 1}},
        {"gfx_line", {BLACK, 1, -138, -1, -142, 2}},
        {"gfx_line", {BLACK, -1, -142, 3, -148, 2}},
        {"gfx_circle", {BLACK, 3, -148, 1}},
        {"gfx_line", {BLACK, 0, -132, -8, -135, 2}},
        {"gfx_circle", {BLACK, -8, -135, 1}},
    };
    EXPECT_EQ(record([] { draw_bug(0, -150, 6, BLUE); }), expected);
}

TEST(DrawBug, ColourChangesOnlyHeadNeckAndBody) {
    auto red = record([] { draw_bug(10, -125, 14, RED); });
    auto gold = record([] { draw_bug(10, -125, 14, GOLD); });
    ASSERT_EQ(red.size(), gold.size());
    for (size_t i = 0; i < red.size(); i++) {
        bool coloured = i == 0 || i == 5 || i == 6;
        EXPECT_EQ(red[i].args[0], coloured ? (long long)RED : gold[i].args[0]) << i;
        EXPECT_EQ(gold[i].args[0], coloured ? (long long)GOLD : red[i].args[0]) << i;
        red[i].args[0] = gold[i].args[0] = 0;
        EXPECT_EQ(red[i], gold[i]);
    }
}

TEST(BugWidth, WrapPositionsOfEverySize) {
    int expected[MAX_BUGS] = {273, 275, 278, 280, 283, 285, 288, 290, 293};
    for (int i = 0; i < MAX_BUGS; i++) EXPECT_EQ(wrap_position(22 - 2 * i), expected[i]);
    EXPECT_EQ(bug_width(22), 55);
    EXPECT_EQ(bug_width(6), 15);
}

struct Walker {
    int x = 273, y = -150, steps = 0, hopping = 0, speed = 5, size = 22;
    void step(int n = 1) {
        for (int i = 0; i < n; i++) move_bug(x, y, steps, hopping, speed, size);
    }
};

TEST(MoveBug, FirstBugWrapsOnTheHundredAndTenthStep) {
    Walker bug;
    bug.step(109);
    EXPECT_EQ(bug.x, -272);
    EXPECT_EQ(bug.steps, 109);
    EXPECT_EQ(bug.y, -150);
    bug.step();
    EXPECT_EQ(bug.x, 273);
    EXPECT_EQ(bug.y, -150);
    EXPECT_EQ(bug.steps, 0);
}

TEST(MoveBug, EachSizeWrapsToItsOwnPosition) {
    Walker bug{.size = 6};
    bug.step(113);
    EXPECT_EQ(bug.x, -292);
    bug.step();
    EXPECT_EQ(bug.x, 293);
}

TEST(MoveBug, LandingExactlyOnTheLeftBoundIsTakenAndOneMoreWraps) {
    Walker edge{.speed = 546};
    edge.step();
    EXPECT_EQ(edge.x, -273);
    Walker fast{.hopping = 1, .speed = 547};
    for (int i = 0; i < 3; i++) {
        fast.step();
        EXPECT_EQ(fast.x, 273);
        EXPECT_EQ(fast.y, -125); // lands on the ground line and hops at once
        EXPECT_EQ(fast.steps, 0);
    }
}

TEST(MoveBug, HoppingAlternatesEveryFiveStepsAfterAWrap) {
    Walker bug{.x = -270, .hopping = 1};
    bug.step(); // wraps: -150, then up at steps 0
    EXPECT_EQ(bug.y, -125);
    int expected[] = {-125, -125, -125, -125, -150, -150, -150, -150, -150, -125};
    for (int y : expected) {
        bug.step();
        EXPECT_EQ(bug.y, y) << "steps " << bug.steps;
    }
}

TEST(MoveBug, GaitSwitchesKeepTheHeightUntilTheNextWrap) {
    Walker bug{.steps = 3};
    bug.hopping = 1;
    bug.step(2); // steps 5, an odd multiple of 5: drops first
    EXPECT_EQ(bug.y, -175);
    bug.hopping = 0;
    bug.step(100);
    EXPECT_EQ(bug.y, -175);
    bug.step(10); // wraps on the way
    EXPECT_EQ(bug.y, -150);
}

TEST(MoveBug, StandingBugStillCountsStepsAndHopsInPlace) {
    Walker bug{.hopping = 1, .speed = 0};
    bug.step(5);
    EXPECT_EQ(bug.x, 273);
    EXPECT_EQ(bug.steps, 5);
    EXPECT_EQ(bug.y, -175);
}

// Counts and speeds that would overflow plain int arithmetic: the walk stays well defined and the
// hop rhythm goes on.
TEST(MoveBug, ExtremeSpeedAndStepCountsDoNotOverflow) {
    Walker fast{.x = -293, .speed = INT_MAX};
    fast.step();
    EXPECT_EQ(fast.x, 273);

    Walker standing{.steps = INT_MAX - 5, .hopping = 1, .speed = 0}; // ...642: 3 to the drop
    standing.step(2);
    EXPECT_EQ(standing.y, -150);
    standing.step();
    EXPECT_EQ(standing.y, -175);
    standing.step(5);
    EXPECT_EQ(standing.y, -150);
    EXPECT_GE(standing.steps, 0);

    Walker high{.y = INT_MAX, .steps = 9, .hopping = 1, .speed = 0};
    high.step();
    EXPECT_EQ(high.y, INT_MAX);
    Walker low{.y = INT_MIN, .steps = 4, .hopping = 1, .speed = 0};
    low.step();
    EXPECT_EQ(low.y, INT_MIN);
}
