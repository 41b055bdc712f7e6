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

StartupTrace::StartupTrace() {
    const char *setting = std::getenv("KORVA_TRACE_STARTUP");
    if (!setting || !*setting) return;
    char *end = nullptr;
    long long microseconds = std::strtoll(setting, &end, 10);
    if (*end != '\0' || microseconds <= 0) return;
    enabled_ = true;
    launch_ = std::chrono::system_clock::time_point(std::chrono::microseconds(microseconds));
}

void StartupTrace::presented() {
    if (enabled_) last_present_ = std::chrono::system_clock::now();
}

void StartupTrace::waiting() {
    if (!enabled_ || last_present_ == std::chrono::system_clock::time_point{}) return;
    std::chrono::duration<double, std::milli> elapsed = last_present_ - launch_;
    std::fprintf(stderr, "korva: launch to first frame: %.3f ms\n", elapsed.count());
    enabled_ = false;
}

} // namespace sdl_display
