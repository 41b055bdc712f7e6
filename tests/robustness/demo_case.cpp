#include "demo_case.h"

#include <algorithm>
#include <sstream>

void DemoCase::SetUp() {
    harness::fresh_start();
    auto acting = std::make_unique<ActingDisplay>(640, 480);
    display = acting.get();
    display::install(std::move(acting));
    log_ = std::make_unique<harness::LogCapture>();
}

void DemoCase::TearDown() {
    log_.reset();
}

void DemoCase::at(display::Time when, std::function<void()> action) {
    actions_.push_back({when, std::move(action)});
}

void DemoCase::press(display::Time when, const std::string &combination) {
    at(when, [this, combination] { harness::press_keys(*display, combination); });
}

void DemoCase::click(display::Time when, int x, int y) {
    at(when, [this, x, y] {
        display->click(graphics_id(), origin_x + x, origin_y - y + GetSystemMetrics(SM_CYMENU));
    });
}

// Every action that is due runs; then, unless they gave the demo input, the clock moves on to
// the next action or the demo's deadline, whichever comes first.
void DemoCase::run() {
    size_t next = 0;
    harness::run_demo(*display, [&](virtual_display::Display &, display::Time deadline) {
        if (next == actions_.size()) {
            logged_before_close_ = log_->all().size();
            logging_at_close_ = logging_on;
            return false;
        }
        while (next < actions_.size() && display->now() >= actions_[next].when)
            actions_[next++].run();
        if (!display->input_pending() && next < actions_.size())
            display->advance(std::min(deadline, actions_[next].when) - display->now());
        return true;
    });
    expect_ended_normally();
}

void DemoCase::expect_ended_normally() {
    EXPECT_EQ(graphics_id(), 0);
    EXPECT_FALSE(IsWindow(graphics_window));
    EXPECT_EQ(window_dc, nullptr); // released by gfx_close
    ASSERT_EQ(logging_at_close_, 1) << "the case must end with logging on";
    EXPECT_EQ(frames_in(log_->all().substr(logged_before_close_)), 1);
}

bool DemoCase::checked(UINT id) {
    return (GetMenuState(run_menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

int count_lines(const std::string &log, const std::string &line) {
    std::istringstream lines(log);
    std::string each;
    int count = 0;
    while (std::getline(lines, each))
        if (each + "\n" == line) count++;
    return count;
}

int frames_in(const std::string &log) {
    return count_lines(log,
                       "ice blue rectangle with bounding box (-300,250) to (300,-250), filled\n");
}
