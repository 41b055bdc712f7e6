// The program's own share of the time from a click to its picture on screen.
//
// With KORVA_TRACE_LATENCY set in the environment, each left button-down that the display
// delivers starts a clock, and the next presentation of that window stops it and prints the
// interval to standard error: "korva: button-down to present: 1.234 ms".
#pragma once

#include <chrono>

namespace sdl_display {

// How long the program takes to start: with KORVA_TRACE_STARTUP set to the time it was
// launched, in microseconds since the Unix epoch (as `date +%s%6N` prints it), the first time
// the program waits for input it has presented its first frame; the trace then prints how long
// after the launch that last presentation came: "korva: launch to first frame: 12.345 ms".
class StartupTrace {
  public:
    StartupTrace();
    void presented();
    void waiting();

  private:
    bool enabled_ = false;
    std::chrono::system_clock::time_point launch_, last_present_;
};

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
