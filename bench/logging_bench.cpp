// The demo's frame with logging on: every drawing call formatted, kept in the log ring and
// printed as the bottom line of the text window (a scroll of the window by one line, a blanked
// strip and the text), on a 1024x768 screen. Beside it, the same frame with logging off, as
// the baseline measured in the same run.
#include "bench/demo_frame.h"

#include <benchmark/benchmark.h>

namespace {

void frame_logging_off(benchmark::State &state) {
    gfx_logging(0);
    for (auto _ : state) bench::draw_frame();
}

void frame_logging_on(benchmark::State &state) {
    gfx_logging(1);
    for (auto _ : state) bench::draw_frame();
    gfx_logging(0);
}

// One log line, as a drawing call writes it, on its own.
void log_line(benchmark::State &state) {
    for (auto _ : state) gfx_log("%s circle at (%d,%d), radius %d\n", "sea green", -100, -200, 25);
}

} // namespace

int main(int argc, char **argv) {
    bench::open_package(1024, 768);
    gfx_logging(1);
    bench::draw_frame(); // glyphs realized and the ring full, as in a running demo
    gfx_logging(0);

    benchmark::RegisterBenchmark("frame/logging_off", frame_logging_off);
    benchmark::RegisterBenchmark("frame/logging_on", frame_logging_on);
    benchmark::RegisterBenchmark("log_line", log_line);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
