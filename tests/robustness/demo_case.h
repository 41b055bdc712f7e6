// A fixture for end-to-end cases: the demo run in-process on the virtual display from a fresh
// process state, with actions at chosen moments of its clock, and every log line kept.
#pragma once

#include "fuzz/harness/demo_run.h"
#include "fuzz/harness/fresh.h"
#include "gfx/state.h"
#include "tools/headless/runner.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// A virtual display that can also act in the middle of a busy stretch, such as a playback,
// during which the program never idles: `on_poll` runs each time the program polls for input.
class ActingDisplay : public virtual_display::Display {
  public:
    using virtual_display::Display::Display;
    bool poll_input(display::InputEvent &event) override {
        if (on_poll) on_poll();
        return virtual_display::Display::poll_input(event);
    }
    std::function<void()> on_poll;
};

class DemoCase : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // `action` runs at the first idle moment at or after `when` (milliseconds of the clock),
    // after the actions given before it.
    void at(display::Time when, std::function<void()> action);
    // A key combination as the headless runner names it, pressed at `when`.
    void press(display::Time when, const std::string &combination);
    // A click at `when` on a point of the canvas, in the demo's coordinates.
    void click(display::Time when, int x, int y);
    // Runs the demo through the actions; then its window is closed, and the demo must end as a
    // user's closing ends it: the window gone, the package closed, and one last frame drawn for
    // the quit. That frame is seen in the log, so logging must be on when the window closes.
    void run();

    int graphics_id() { return display->find_window(headless::GRAPHICS_TITLE); }
    int text_id() { return display->find_window(headless::TEXT_TITLE); }
    bool checked(UINT id);

    // Everything logged since the last call.
    std::string take_log() { return log_->take(); }

    ActingDisplay *display = nullptr;

  private:
    struct Action {
        display::Time when;
        std::function<void()> run;
    };
    void expect_ended_normally();

    std::vector<Action> actions_;
    std::unique_ptr<harness::LogCapture> log_;
    size_t logged_before_close_ = 0;
    int logging_at_close_ = -1;
};

// The frames drawn with logging on, counted by the scene's first call, which opens each one.
int frames_in(const std::string &log);
// How often `line` (with its newline) occurs in `log`.
int count_lines(const std::string &log, const std::string &line);

// Canvas points of the demo's panel.
constexpr int ADD_BUG_X = -257, ADD_BUG_Y = 58;
