// The click-to-picture and start-up traces.
#include "bench/traced_display.h"

#include <cstdio>
#include <cstdlib>

namespace bench {

TracedDisplay::TracedDisplay(std::unique_ptr<display::Backend> inner) : inner_(std::move(inner)) {
    const char *latency = std::getenv("KORVA_TRACE_LATENCY");
    latency_enabled_ = latency && *latency && *latency != '0';
    const char *startup = std::getenv("KORVA_TRACE_STARTUP");
    if (!startup || !*startup) return;
    char *end = nullptr;
    long long microseconds = std::strtoll(startup, &end, 10);
    if (*end != '\0' || microseconds <= 0) return;
    startup_enabled_ = true;
    launch_ = std::chrono::system_clock::time_point(std::chrono::microseconds(microseconds));
}

void TracedDisplay::present(int window, const platform::Surface &content) {
    inner_->present(window, content);
    if (latency_enabled_ && window == clicked_window_) {
        std::chrono::duration<double, std::milli> elapsed =
            std::chrono::steady_clock::now() - clicked_;
        std::fprintf(stderr, "korva: button-down to present: %.3f ms\n", elapsed.count());
        clicked_window_ = 0;
    }
    if (startup_enabled_) last_present_ = std::chrono::system_clock::now();
}

bool TracedDisplay::poll_input(display::InputEvent &event) {
    if (!inner_->poll_input(event)) return false;
    if (latency_enabled_ && event.kind == display::InputKind::MouseDown && event.button == 1) {
        clicked_window_ = event.window;
        clicked_ = std::chrono::steady_clock::now();
    }
    return true;
}

void TracedDisplay::wait(display::Time deadline) {
    if (startup_enabled_ && last_present_ != std::chrono::system_clock::time_point{}) {
        std::chrono::duration<double, std::milli> elapsed = last_present_ - launch_;
        std::fprintf(stderr, "korva: launch to first frame: %.3f ms\n", elapsed.count());
        startup_enabled_ = false;
    }
    inner_->wait(deadline);
}

} // namespace bench
