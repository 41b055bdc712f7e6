// The click-to-picture trace.
#include "platform/display/sdl/latency_trace.h"

#include <cstdio>
#include <cstdlib>

namespace sdl_display {

LatencyTrace::LatencyTrace() {
    const char *setting = std::getenv("KORVA_TRACE_LATENCY");
    enabled_ = setting && *setting && *setting != '0';
}

void LatencyTrace::button_down(int window) {
    if (!enabled_) return;
    window_ = window;
    start_ = std::chrono::steady_clock::now();
}

void LatencyTrace::presented(int window) {
    if (!enabled_ || window != window_) return;
    std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start_;
    std::fprintf(stderr, "korva: button-down to present: %.3f ms\n", elapsed.count());
    window_ = 0;
}

} // namespace sdl_display
