// The program's own share of the time from a click to its picture on screen.
//
// With KORVA_TRACE_LATENCY set in the environment, each left button-down that the display
// delivers starts a clock, and the next presentation of that window stops it and prints the
// interval to standard error: "korva: button-down to present: 1.234 ms".
#pragma once

#include <chrono>

namespace sdl_display {

class LatencyTrace {
  public:
    LatencyTrace();
    void button_down(int window);
    void presented(int window);

  private:
    bool enabled_ = false;
    int window_ = 0; // 0: no button-down waiting for its picture
    std::chrono::steady_clock::time_point start_;
};

} // namespace sdl_display
