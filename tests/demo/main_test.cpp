#include <algorithm>
#include <cstdint>

#include <gtest/gtest.h>

#include "demo/demo.h"
#include "fake_gfx.h"

// One painted frame, cut into its layers: the scene ends with its instruction line, the panel
// draws no circles, and every bug starts with its head.
struct Frame {
    std::vector<GfxCall> scene, panel, bugs;
};

struct SeenBug {
    int x, y, size, color;
    bool operator==(const SeenBug &) const = default;
};

static Frame cut_frame(std::vector<GfxCall>::const_iterator begin,
                       std::vector<GfxCall>::const_iterator end) {
    auto panel = std::find_if(begin, end, [](auto &c) { return c.name == "gfx_printf"; });
    if (panel != end) ++panel;
    auto bugs = std::find_if(panel, end, [](auto &c) { return c.name == "gfx_circle"; });
    return {{begin, panel}, {panel, bugs}, {bugs, end}};
}

// Runs the demo on the given events and returns its frames: the first after start-up, then one
// for every event including the final quit.
static std::vector<Frame> run_demo(std::vector<FakeEvent> events) {
    gfx_events.assign(events.begin(), events.end());
    gfx_calls.clear();
    EXPECT_EQ(demo_main(nullptr, nullptr, nullptr, 1), 0);
    std::vector<Frame> frames;
    auto start = gfx_calls.cbegin() + std::min<size_t>(4, gfx_calls.size()); // after start-up
    for (auto c = start; c != gfx_calls.cend(); ++c) {
        if (c->name == "gfx_await_event" || c->name == "gfx_close") {
            frames.push_back(cut_frame(start, c));
            start = c + 1;
        }
    }
    return frames;
}

static std::vector<SeenBug> bugs_in(const Frame &frame) {
    std::vector<SeenBug> bugs;
    for (size_t i = 0; i + 15 <= frame.bugs.size(); i += 15) {
        const auto &head = frame.bugs[i].args; // color, x, head centre height, size
        bugs.push_back(
            {(int)head[1], (int)(head[2] - 9 * head[3] / 2), (int)head[3], (int)head[0]});
    }
    return bugs;
}

static int number_boxes(const Frame &frame) {
    return ((int)frame.panel.size() - 18) / 2;
}
static int phase_of(const Frame &frame) {
    return (int)frame.scene[2].args[1] + 350;
}

static FakeEvent click_button(int row) {
    return {EVENT_MOUSE, -250, 240 - 25 * row};
}
static FakeEvent click_number(int box) {
    return {EVENT_MOUSE, 250, 240 - 25 * box};
}
static const FakeEvent tick = {EVENT_PERIODIC};
enum { GO, STOP, FASTER, SLOWER, GLIDING, HOPPING, NEW_COLOR, ADD_BUG, DELETE_BUG };

TEST(DemoMain, StartsUpPaintsOneBugAndClosesAfterTheQuitFrame) {
    char command_line[] = "";
    gfx_calls.clear();
    demo_main((HINSTANCE)0x1000, (HINSTANCE)0x2000, command_line, 7);
    std::vector<GfxCall> start_up = {
        {"gfx_open", {0x1000, 0x2000, (long long)(intptr_t)command_line, 7}},
        {"gfx_logging", {0}},
        {"gfx_clear", {}},
        {"gfx_animate", {ANIMATE_RUN}},
    };
    EXPECT_EQ(std::vector(gfx_calls.begin(), gfx_calls.begin() + 4), start_up);
    EXPECT_EQ(gfx_calls.back(), (GfxCall{"gfx_close", {}}));

    auto frames = run_demo({});
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].scene.size(), 60u);
    for (const Frame &frame : frames) {
        EXPECT_EQ(number_boxes(frame), 1);
        EXPECT_EQ(bugs_in(frame), (std::vector<SeenBug>{{273, -150, 22, RED}}));
    }
    EXPECT_EQ(phase_of(frames[1]), 1);
}

TEST(DemoMain, EveryEventAdvancesTheSceneButOnlyTicksMoveBugs) {
    std::vector<FakeEvent> events = {{EVENT_KBD, 0, 0, 'a'}, {EVENT_MOUSE, 0, 0}, tick};
    events.resize(51, {EVENT_KBD});
    auto frames = run_demo(events);
    EXPECT_EQ(bugs_in(frames[2]).at(0).x, 273);
    EXPECT_EQ(bugs_in(frames[3]).at(0).x, 268);
    EXPECT_EQ(phase_of(frames[2]), 2);
    EXPECT_EQ(phase_of(frames[50]), 50);
    EXPECT_EQ(frames[50].scene.size(), 60u);
    EXPECT_EQ(phase_of(frames[51]), 0); // second run: no fish
    EXPECT_EQ(frames[51].scene.size(), 53u);
}

TEST(DemoMain, StoppedBugStandsAndASpeedZeroBugHopsInPlace) {
    auto frames =
        run_demo({click_button(STOP), tick, click_button(GO), click_button(HOPPING),
                  click_button(SLOWER), click_button(SLOWER), click_button(SLOWER),
                  click_button(SLOWER), click_button(SLOWER), tick, tick, tick, tick, tick});
    EXPECT_EQ(bugs_in(frames[2]).at(0).x, 273);
    // The tick while stopped counted no step: the drop comes on the fifth tick after "Go".
    EXPECT_EQ(bugs_in(frames[13]).at(0), (SeenBug{273, -150, 22, RED}));
    EXPECT_EQ(bugs_in(frames[14]).at(0), (SeenBug{273, -175, 22, RED}));
}

TEST(DemoMain, NewBugsStartAtTheLargestBugsWrapPosition) {
    std::vector<FakeEvent> events(9, click_button(ADD_BUG));
    auto frames = run_demo(events);
    auto bugs = bugs_in(frames[9]);
    ASSERT_EQ(bugs.size(), 9u);
    for (int i = 0; i < MAX_BUGS; i++) EXPECT_EQ(bugs[i], (SeenBug{273, -150, 22 - 2 * i, RED}));
    EXPECT_EQ(number_boxes(frames[9]), 9);
}

TEST(DemoMain, DeletedBugComesBackWhereItStood) {
    auto frames = run_demo({click_button(ADD_BUG), tick, tick, click_button(DELETE_BUG), tick, tick,
                            click_button(ADD_BUG)});
    EXPECT_EQ(number_boxes(frames[4]), 1);
    EXPECT_EQ(bugs_in(frames[7]),
              (std::vector<SeenBug>{{253, -150, 22, RED}, {263, -150, 20, RED}}));
}

// The selection may name a deleted slot; the buttons then change it while it is hidden.
TEST(DemoMain, ButtonsActOnAChosenSlotWhileItIsDeleted) {
    auto frames =
        run_demo({click_button(ADD_BUG), click_button(ADD_BUG), click_number(2),
                  click_button(DELETE_BUG), click_button(FASTER), click_button(ADD_BUG), tick});
    EXPECT_EQ(bugs_in(frames[4]).size(), 2u);
    auto bugs = bugs_in(frames[7]);
    ASSERT_EQ(bugs.size(), 3u);
    EXPECT_EQ(bugs[1].x, 268);
    EXPECT_EQ(bugs[2].x, 267);
}
