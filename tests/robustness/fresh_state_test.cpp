// The fresh state the fuzz targets rely on: after harness::fresh_start, a run of the demo gives
// exactly what it gives in a new process, whatever the run before it left behind.
#include "fuzz/harness/demo_run.h"
#include "fuzz/harness/fresh.h"
#include "gfx/state.h"
#include "platform/kernel/global_memory.h"
#include "tools/headless/runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

struct Outcome {
    int result = -1;
    std::string log;
    std::string script;
    std::vector<uint32_t> frame; // the graphics window as last shown
    std::vector<uint32_t> text;  // the text window as last shown
};

// A run that touches most of the state: keys, logging, recording, clicks on the panel, typing,
// the text window, a playback of what was recorded.
Outcome run_sample() {
    virtual_display::Display &display = harness::fresh_start();
    harness::LogCapture log;
    // A modifier left down would change the recorded key.
    const char *steps[] = {"ctrl+r",         "q",    "ctrl+l", "click -257 58", "wait",
                           "click -257 108", "wait", "type q", "ctrl+r",        "ctrl+l",
                           "ctrl+p",         "wait", "ctrl+l", "wait"};
    size_t next = 0;
    Outcome outcome;
    outcome.result = harness::run_demo(display, [&](virtual_display::Display &d, display::Time) {
        if (next == std::size(steps)) return false;
        std::string step = steps[next++];
        int graphics = d.find_window(headless::GRAPHICS_TITLE);
        if (step == "wait") {
            d.advance(350);
        } else if (step.rfind("click", 0) == 0) {
            int x = 0, y = 0;
            std::sscanf(step.c_str(), "click %d %d", &x, &y);
            d.click(graphics, origin_x + x, origin_y - y + GetSystemMetrics(SM_CYMENU));
        } else if (step == "type q") {
            d.type('q');
        } else {
            harness::press_keys(d, step);
        }
        return true;
    });
    outcome.log = log.all();
    std::ifstream script("KORVA.SCR", std::ios::binary);
    std::stringstream text;
    text << script.rdbuf();
    outcome.script = text.str();
    auto pixels_of = [](const platform::Surface &s) {
        return std::vector<uint32_t>(s.data(), s.data() + size_t(s.width) * size_t(s.height));
    };
    outcome.frame = pixels_of(display.window(1)->presented);
    outcome.text = pixels_of(display.window(2)->presented);
    return outcome;
}

// A run that leaves as much behind as it can: keys and a button held down, the text window
// closed, the menu bar destroyed, a recording and a playback open, messages queued, a quit
// pending, timers and objects made and never released, memory failures still to come.
void run_messy() {
    virtual_display::Display &display = harness::fresh_start(800, 600);
    std::ofstream("KORVA.SCR") << "KORVA_PERIODIC(100);\n";
    int idle = 0;
    harness::run_demo(display, [&](virtual_display::Display &d, display::Time) {
        switch (idle++) {
        case 0: harness::press_keys(d, "ctrl+r"); break;
        case 1: d.advance(450); break;
        case 2: harness::press_keys(d, "ctrl+p"); break;
        case 3: d.close(d.find_window(headless::TEXT_TITLE)); break;
        case 4:
            DestroyMenu(GetMenu(graphics_window));
            SetTimer(nullptr, 0, 50, nullptr);
            CreatePen(PS_SOLID, 5, 0);
            GlobalAlloc(GMEM_MOVEABLE, 100);
            d.key_down(VK_SHIFT, 0x2A);
            d.key_down(VK_CONTROL, 0x1D);
            d.mouse_down(d.find_window(headless::GRAPHICS_TITLE), 5, 5);
            break;
        default: return false;
        }
        return true;
    });
    PostMessageA(nullptr, WM_USER, 1, 2);
    PostQuitMessage(3);
    kernel::fail_next_allocations(10);
}

TEST(FreshState, ARunAfterAnyOtherGivesWhatItGivesAlone) {
    Outcome first = run_sample();
    ASSERT_EQ(first.result, 0);
    ASSERT_FALSE(first.log.empty());
    ASSERT_FALSE(first.script.empty());
    run_messy();
    Outcome second = run_sample();
    EXPECT_EQ(second.result, 0);
    EXPECT_EQ(second.log, first.log);
    EXPECT_EQ(second.script, first.script);
    EXPECT_TRUE(second.frame == first.frame);
    EXPECT_TRUE(second.text == first.text);
}

TEST(FreshState, NothingIsLeftOfTheRunBefore) {
    run_messy();
    virtual_display::Display &display = harness::fresh_start();
    // No timer, message or quit is due, however long the clock runs.
    display.advance(10000);
    MSG message;
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(GetKeyState(VK_SHIFT), 0);
    EXPECT_EQ(GetKeyState(VK_CONTROL), 0);
    EXPECT_EQ(kernel::live_blocks(), 0);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 1); // no failures left to come
    EXPECT_NE(block, nullptr);
    GlobalFree(block);
    EXPECT_FALSE(std::filesystem::exists("KORVA.SCR"));
    // The package is closed, as before gfx_open.
    EXPECT_EQ(gfx_animate(ANIMATE_RUN), 0);
    EXPECT_EQ(graphics_window, nullptr);
    EXPECT_EQ(script_file, nullptr);
    EXPECT_EQ(logging_on, 1);
    EXPECT_EQ(log_oldest, -1);
}

} // namespace
