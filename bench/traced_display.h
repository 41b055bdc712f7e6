// A display backend around another that traces the program's own share of two times, for the
// benchmarks (bench/idle.sh, bench/latency.sh), which run the demo built with it,
// bugdemo-traced. The traces are read from the environment:
//
//   KORVA_TRACE_LATENCY set (not "0"): each left button-down the display delivers starts a
//   clock, and the next presentation of that window stops it and prints the interval to
//   standard error: "korva: button-down to present: 1.234 ms".
//
//   KORVA_TRACE_STARTUP set to the time the program was launched, in microseconds since the
//   Unix epoch (as `date +%s%6N` prints it): the first time the program waits for input it has
//   presented its first frame; the trace then prints how long after the launch that last
//   presentation came: "korva: launch to first frame: 12.345 ms".
#pragma once

#include "platform/display/display.h"

#include <chrono>
#include <memory>

namespace bench {

class TracedDisplay : public display::Backend {
  public:
    explicit TracedDisplay(std::unique_ptr<display::Backend> inner);

    int screen_width() override { return inner_->screen_width(); }
    int screen_height() override { return inner_->screen_height(); }
    int create_window(const std::string &title, const display::Placement &placement,
                      bool resizable) override {
        return inner_->create_window(title, placement, resizable);
    }
    void destroy_window(int window) override { inner_->destroy_window(window); }
    void show_window(int window, bool shown) override { inner_->show_window(window, shown); }
    void set_title(int window, const std::string &title) override {
        inner_->set_title(window, title);
    }
    void place_window(int window, const display::Placement &placement) override {
        inner_->place_window(window, placement);
    }
    void present(int window, const platform::Surface &content) override;
    bool poll_input(display::InputEvent &event) override;
    display::Time now() override { return inner_->now(); }
    void wait(display::Time deadline) override;
    unsigned char key_character(int virtual_key, int scan_code, bool shift, bool caps_lock,
                                bool altgr) override {
        return inner_->key_character(virtual_key, scan_code, shift, caps_lock, altgr);
    }
    void menu_shown(int window, bool open) override { inner_->menu_shown(window, open); }

  private:
    std::unique_ptr<display::Backend> inner_;

    bool latency_enabled_ = false;
    int clicked_window_ = 0; // 0: no button-down waiting for its picture
    std::chrono::steady_clock::time_point clicked_;

    bool startup_enabled_ = false;
    std::chrono::system_clock::time_point launch_, last_present_;
};

} // namespace bench
