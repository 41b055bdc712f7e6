// A whole frame of the bug demo, drawn through the package's public calls into the canvas with
// logging off, against the same shapes drawn with Cairo (antialiasing off) on an image surface
// of the same size; then each kind of shape at the sizes the demo draws it, both ways.
//
// Run with --benchmark_repetitions=N --benchmark_enable_random_interleaving=true for medians
// that share the machine's noise; `make bench` does.
#include "bench/cairo_frame.h"
#include "bench/demo_frame.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

void frame_korva(benchmark::State &state) {
    for (auto _ : state) bench::draw_frame();
}

void frame_cairo(benchmark::State &state, const std::vector<CorpusRecord> &shapes) {
    bench::CairoCanvas canvas;
    for (auto _ : state) canvas.draw(shapes);
}

struct Kind {
    const char *name;
    void (*draw)(); // one drawing call of the package
};

// The demo's shapes, one of each kind and size class.
const std::vector<Kind> &kinds() {
    static const std::vector<Kind> list = {
        {"circle_r25", [] { gfx_circle(SEA_GREEN, -100, -200, 25); }},
        {"circle_r40", [] { gfx_circle(MAGENTA, 180, 100, 40); }},
        {"circle_r3", [] { gfx_circle(BLACK, 10, -120, 3); }},
        {"ring_w2", [] { gfx_oval(YELLOW, -10, 240, -90, 160, 2); }},
        {"rect_fill_sky", [] { gfx_rectangle(ICE_BLUE, -300, -250, 300, 250, 0); }},
        {"rect_fill_neck", [] { gfx_rectangle(RED, -5, 0, 5, -8, 0); }},
        {"rect_outline_w1", [] { gfx_rectangle(BLACK, -295, 245, -220, 220, 1); }},
        {"triangle_peak", [] { gfx_triangle(BLUE, 10, 0, 145, 0, 80, 90, 0); }},
        {"triangle_fin", [] { gfx_triangle(ORANGE, 215, -235, 222, -228, 222, -242, 0); }},
        {"line_w1", [] { gfx_line(GREEN, -200, 40, -200, -50, 1); }},
        {"line_w2", [] { gfx_line(BLACK, 0, -100, -11, -115, 2); }},
        {"line_w3", [] { gfx_line(GREEN, 180, 60, 180, -100, 3); }},
        {"text_button", [] { gfx_printf(BLACK, -285, 77, 12, "%s", "Delete Bug"); }},
        {"text_line",
         [] {
             gfx_printf(BLACK, -285, -240, 12,
                        "Click a number to choose bug, then click button to control the bug.");
         }},
    };
    return list;
}

} // namespace

int main(int argc, char **argv) {
    bench::open_package();
    bench::draw_frame(); // glyphs and faces realized once, as in a running demo
    static const std::vector<CorpusRecord> shapes = bench::frame_shapes();

    benchmark::RegisterBenchmark("frame/korva", frame_korva);
    benchmark::RegisterBenchmark("frame/cairo", frame_cairo, std::cref(shapes));
    benchmark::RegisterBenchmark("part/scene/korva", [](benchmark::State &state) {
        for (auto _ : state) bench::draw_scene_part();
    });
    benchmark::RegisterBenchmark("part/panel/korva", [](benchmark::State &state) {
        for (auto _ : state) bench::draw_panel_part();
    });
    benchmark::RegisterBenchmark("part/bugs/korva", [](benchmark::State &state) {
        for (auto _ : state) bench::draw_bugs_part();
    });
    for (const Kind &kind : kinds()) {
        std::vector<CorpusRecord> one = bench::capture_shapes(kind.draw);
        std::string name = std::string("kind/") + kind.name;
        benchmark::RegisterBenchmark((name + "/korva").c_str(), [&kind](benchmark::State &state) {
            for (auto _ : state) kind.draw();
        });
        benchmark::RegisterBenchmark((name + "/cairo").c_str(), [one](benchmark::State &state) {
            bench::CairoCanvas canvas;
            canvas.draw(one); // fonts realized
            for (auto _ : state) canvas.draw(one);
        });
    }

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
