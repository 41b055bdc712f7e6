// The bug demo with its display wrapped in the benchmarks' traces (bench/traced_display.h):
// the entry has installed the real display; the tracer takes its place around it.
#include "bench/traced_display.h"
#include "demo/demo.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line,
                   int show_mode) {
    display::install(std::make_unique<bench::TracedDisplay>(display::take()));
    return demo_main(instance, previous_instance, command_line, show_mode);
}
