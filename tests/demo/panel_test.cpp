#include <climits>

#include <gtest/gtest.h>

#include "demo/demo.h"
#include "fake_gfx.h"

TEST(DrawPanel, OneBugGivesNineButtonsAndOneNumber) {
    auto calls = record([] { draw_panel(10); });
    ASSERT_EQ(calls.size(), 20u);
    EXPECT_EQ(calls[0], (GfxCall{"gfx_rectangle", {BLACK, -295, 245, -220, 220, 1}}));
    EXPECT_EQ(calls[8], (GfxCall{"gfx_rectangle", {BLACK, -295, 45, -220, 20, 1}}));
    EXPECT_EQ(calls[9], (GfxCall{"gfx_printf", {FOREST_GREEN, -285, 227, 12}, "Go"}));
    EXPECT_EQ(calls[10], (GfxCall{"gfx_printf", {RED, -285, 202, 12}, "Stop"}));
    EXPECT_EQ(calls[17], (GfxCall{"gfx_printf", {BLACK, -285, 27, 12}, "Delete Bug"}));
    EXPECT_EQ(calls[18], (GfxCall{"gfx_rectangle", {BLACK, 220, 245, 295, 220, 1}}));
    EXPECT_EQ(calls[19], (GfxCall{"gfx_printf", {BLACK, 230, 227, 12}, "1"}));
}

TEST(DrawPanel, NineBugsFillTheNumberColumnDownToTwenty) {
    auto calls = record([] { draw_panel(18); });
    ASSERT_EQ(calls.size(), 36u);
    EXPECT_EQ(calls[26], (GfxCall{"gfx_rectangle", {BLACK, 220, 45, 295, 20, 1}}));
    EXPECT_EQ(calls[35], (GfxCall{"gfx_printf", {BLACK, 230, 27, 12}, "9"}));
}

TEST(PanelHitTest, OuterLinesBelongToNeitherColumn) {
    struct Case {
        int x, y, box_count, hit;
    } cases[] = {
        {-250, 220, 10, HIT_BUTTONS}, {-250, 244, 10, HIT_BUTTONS},
        {-250, 21, 10, HIT_BUTTONS},  {-250, 245, 10, HIT_NONE},
        {-250, 20, 10, HIT_NONE},     {-295, 100, 10, HIT_NONE},
        {-220, 100, 10, HIT_NONE},    {250, 221, 10, HIT_BUG_NUMBERS},
        {250, 220, 10, HIT_NONE},     {250, 21, 18, HIT_BUG_NUMBERS},
        {250, 20, 18, HIT_NONE},      {220, 230, 18, HIT_NONE},
        {295, 230, 18, HIT_NONE},     {0, 0, 18, HIT_NONE},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(panel_hit_test(c.x, c.y, c.box_count), c.hit) << c.x << ", " << c.y;
    }
}

// The chosen bug's fields and the table, as press_button sees them.
struct Chosen {
    int moving = 1, hopping = 0, color = RED, speed = 5;
    int active[MAX_BUGS] = {1, 0, 0, 0, 0, 0, 0, 0, 0};
    void click(int x, int y) { press_button(x, y, moving, hopping, color, speed, active); }
    void press(int row, int times = 1) {
        for (int i = 0; i < times; i++) click(-250, 240 - 25 * row);
    }
};

enum { GO, STOP, FASTER, SLOWER, GLIDING, HOPPING, NEW_COLOR, ADD_BUG, DELETE_BUG };

TEST(PressButton, LineBetweenTwoBoxesBelongsToTheLowerOne) {
    Chosen bug;
    bug.click(-250, 220);
    EXPECT_EQ(bug.moving, 0);
    bug.click(-250, 221);
    EXPECT_EQ(bug.moving, 1);
}

TEST(PressButton, SpeedNeverDropsBelowZeroNorOverflows) {
    Chosen bug;
    bug.press(SLOWER, 6);
    EXPECT_EQ(bug.speed, 0);
    bug.press(FASTER);
    EXPECT_EQ(bug.speed, 1);
    bug.speed = INT_MAX;
    bug.press(FASTER);
    EXPECT_EQ(bug.speed, INT_MAX);
}

TEST(PressButton, NewColorCyclesThroughThePalette) {
    Chosen bug;
    bug.color = GRAY_20;
    bug.press(NEW_COLOR);
    EXPECT_EQ(bug.color, BLACK);
    bug.press(NEW_COLOR, NUM_COLORS);
    EXPECT_EQ(bug.color, BLACK);
}

TEST(PressButton, AddAndDeleteKeepAtLeastOneAndAtMostNineBugs) {
    Chosen bug;
    bug.press(DELETE_BUG);
    EXPECT_EQ(count_active(bug.active), 1);
    bug.press(ADD_BUG, 2);
    bug.press(DELETE_BUG);
    EXPECT_EQ(bug.active[1], 1);
    EXPECT_EQ(bug.active[2], 0);
    bug.press(ADD_BUG, 9);
    EXPECT_EQ(count_active(bug.active), MAX_BUGS);
    // Neither touches the chosen bug.
    EXPECT_EQ(bug.moving, 1);
    EXPECT_EQ(bug.speed, 5);
    EXPECT_EQ(bug.color, RED);
}

// Clicks that panel_hit_test would not pass on: nothing changes and the error is drawn once.
TEST(PressButton, ClickOutsideTheButtonColumnIsAnInternalError) {
    const GfxCall error = {"gfx_printf", {RED, 0, 0, 16}, "INTERNAL ERROR!"};
    int clicks[][2] = {{-296, 230}, {-219, 230}, {-250, 20}, {-250, 260}};
    for (auto &click : clicks) {
        Chosen bug;
        bug.moving = 0; // a click above the top line must not press "Go"
        auto calls = record([&] { bug.click(click[0], click[1]); });
        EXPECT_EQ(calls, std::vector{error}) << click[0] << ", " << click[1];
        EXPECT_EQ(bug.moving, 0);
    }
}

TEST(ChooseBug, NumberBoxChoosesItsSlotAndOutsideChoosesSlotZero) {
    EXPECT_EQ(choose_bug(250, 221), 0);
    EXPECT_EQ(choose_bug(250, 183), 2);
    EXPECT_EQ(choose_bug(295, 21), 8);
    int outside[][2] = {{219, 230}, {296, 230}, {250, 20}, {250, 246}};
    for (auto &click : outside) {
        auto calls = record([&] { EXPECT_EQ(choose_bug(click[0], click[1]), 0); });
        EXPECT_EQ(calls.size(), 1u) << click[0] << ", " << click[1];
    }
}
