// The fresh state the fuzz targets rely on: after harness::fresh_start, a run of the demo gives
// exactly what it gives in a new process, whatever the run before it left behind.
#include "demo_case.h"
#include "fuzz/harness/demo_run.h"
#include "fuzz/harness/fresh.h"
#include "fuzz/harness/memory_script.h"
#include "fuzz/harness/opened.h"
#include "gfx/state.h"
#include "platform/kernel/global_memory.h"
#include "tools/headless/runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

struct Outcome {
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
    int frames_at_close = -1;
    int result = harness::run_demo(display, [&](virtual_display::Display &d, display::Time) {
        if (next == std::size(steps)) {
            frames_at_close = frames_in(log.all());
            return false;
        }
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
    // It ended as the demo ends: the window gone, one more frame drawn (logging is on) after
    // the quit, demo_main's 0.
    EXPECT_EQ(result, 0);
    EXPECT_EQ(display.find_window(headless::GRAPHICS_TITLE), 0);
    EXPECT_FALSE(display.window(1)->alive);
    EXPECT_EQ(frames_in(outcome.log), frames_at_close + 1);
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
    ASSERT_FALSE(first.log.empty());
    ASSERT_FALSE(first.script.empty());
    run_messy();
    Outcome second = run_sample();
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

// ---- The package opened once and put back after each run, as the fuzz targets run it ----

// A client's run on the open package: keys and clicks, a recording into memory, logging, the
// menu opened from the keyboard and left by Escape, a playback; then the window is closed. The
// client draws one shape per event and keeps what it got.
Outcome run_client(virtual_display::Display &display) {
    harness::MemoryScript script;
    script.install();
    harness::LogCapture log;
    const char *steps[] = {"click", "ctrl+r", "type",   "wait",   "ctrl+l", "click", "alt+r",
                           "down",  "escape", "escape", "ctrl+r", "ctrl+p", "wait",  "close"};
    size_t next = 0;
    display.set_idle_handler([&](display::Time) {
        std::string step = next < std::size(steps) ? steps[next++] : "wait";
        int graphics = display.find_window(headless::GRAPHICS_TITLE);
        if (step == "wait")
            display.advance(350);
        else if (step == "click")
            display.click(graphics, origin_x - 257, origin_y - 58 + GetSystemMetrics(SM_CYMENU));
        else if (step == "type")
            display.type('q');
        else if (step == "close")
            display.close(graphics);
        else
            harness::press_keys(display, step);
    });
    gfx_animate(ANIMATE_RUN);
    Outcome outcome;
    int kind = EVENT_NONE;
    for (int events = 0; kind != EVENT_QUIT && events < 1000; events++) {
        int x = 0, y = 0;
        char key = 0;
        kind = gfx_await_event(x, y, key);
        outcome.log += "event " + std::to_string(kind) + " " + std::to_string(x) + " " +
                       std::to_string(y) + " " + std::to_string(int(key)) + "\n";
        gfx_circle(RED, x % 300, y % 270, 3);
    }
    gfx_close();
    display.set_idle_handler(nullptr);
    EXPECT_EQ(kind, EVENT_QUIT);
    outcome.log += log.all();
    outcome.script = script.content;
    auto pixels_of = [](const platform::Surface &s) {
        return std::vector<uint32_t>(s.data(), s.data() + size_t(s.width) * size_t(s.height));
    };
    outcome.frame = pixels_of(display.window(1)->presented);
    outcome.text = pixels_of(display.window(2)->presented);
    return outcome;
}

// What a run on the put-back package can be left with: the Run menu open (opened from the
// keyboard, an entry selected), keys and a button held, a recording going, the windows resized,
// the clock moved on, messages posted, a quit pending, memory failures still to come.
void leave_a_mess(virtual_display::Display &display, harness::MemoryScript &script) {
    script.install();
    int graphics = display.find_window(headless::GRAPHICS_TITLE);
    harness::press_keys(display, "ctrl+r");
    display.click(graphics, 100, 100);
    display.resize(display.find_window(headless::TEXT_TITLE), 300, 100);
    display.advance(1234);
    display.mouse_down(graphics, 300, 300);
    harness::press_keys(display, "alt+r");
    harness::press_keys(display, "down");
    display.key_down(VK_SHIFT, 0x2A);
    for (int i = 0; i < 100; i++) pump_message();
    ASSERT_TRUE(display.menu_open());
    PostMessageA(graphics_window, WM_USER, 1, 2);
    PostQuitMessage(3);
    kernel::fail_next_allocations(10);
}

TEST(FreshState, ThePutBackPackageIsTheFreshlyOpenedOne) {
    virtual_display::Display &fresh = harness::fresh_start();
    harness::open_package();
    Outcome opened_fresh = run_client(fresh);
    ASSERT_FALSE(opened_fresh.script.empty());
    ASSERT_NE(opened_fresh.log.find("event 1"), std::string::npos);

    Outcome first, again;
    {
        harness::OpenedPackage run;
        first = run_client(run.display);
    }
    {
        harness::MemoryScript script; // the recording is still open when the run ends
        harness::OpenedPackage run;
        leave_a_mess(run.display, script);
    }
    {
        harness::OpenedPackage run;
        EXPECT_FALSE(run.display.menu_open());
        again = run_client(run.display);
    }
    for (const Outcome *outcome : {&first, &again}) {
        EXPECT_EQ(outcome->log, opened_fresh.log);
        EXPECT_EQ(outcome->script, opened_fresh.script);
        EXPECT_TRUE(outcome->frame == opened_fresh.frame);
        EXPECT_TRUE(outcome->text == opened_fresh.text);
    }
    harness::finish();
}

} // namespace
