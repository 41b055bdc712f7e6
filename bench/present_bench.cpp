// Presenting a frame: the copy of the canvas to the graphics window (BitBlt through the
// window's DC) and the backend's present of the window's changed pixels, which the event pump
// does once per pass after drawing. Two different frames of the demo take turns, so that a
// backend that sends only changed rows has real work. Beside them, as the baseline measured in
// the same run, a plain copy of the canvas's pixels.
//
//   present_bench            on the virtual display (in memory)
//   present_bench --sdl      on the SDL display: needs an X display (run it under xvfb-run)
#include "bench/demo_frame.h"
#include "platform/display/sdl/sdl_display.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Frames {
    HDC dc[2];
    HBITMAP image[2];
};

// Two frames of the demo, kept in memory DCs of their own.
Frames two_frames() {
    Frames f;
    for (int k = 0; k < 2; k++) {
        bench::draw_frame(3 * k);
        f.dc[k] = CreateCompatibleDC(window_dc);
        f.image[k] = CreateCompatibleBitmap(window_dc, CANVAS_WIDTH, CANVAS_HEIGHT);
        SelectObject(f.dc[k], f.image[k]);
        BitBlt(f.dc[k], 0, 0, CANVAS_WIDTH, CANVAS_HEIGHT, canvas.dc, 0, 0, SRCCOPY);
    }
    return f;
}

void copy_to_window(benchmark::State &state, const Frames &f) {
    int k = 0;
    for (auto _ : state) {
        BitBlt(window_dc, 0, 0, CANVAS_WIDTH, CANVAS_HEIGHT, f.dc[k], 0, 0, SRCCOPY);
        k ^= 1;
    }
}

// What a pump pass does after drawing: the copy, then the look at the queue, which presents
// the windows whose pixels changed.
void copy_and_present(benchmark::State &state, const Frames &f) {
    int k = 0;
    MSG message;
    for (auto _ : state) {
        BitBlt(window_dc, 0, 0, CANVAS_WIDTH, CANVAS_HEIGHT, f.dc[k], 0, 0, SRCCOPY);
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
        k ^= 1;
    }
}

void plain_copy(benchmark::State &state) {
    std::vector<uint32_t> from(size_t(CANVAS_WIDTH) * CANVAS_HEIGHT, 0xFFFFFF);
    std::vector<uint32_t> to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * sizeof(uint32_t));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}

} // namespace

int main(int argc, char **argv) {
    // --sdl is ours; the rest are Google Benchmark's.
    bool sdl = false;
    int kept = 1;
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "--sdl") == 0)
            sdl = true;
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    std::string backend = "virtual";
    if (sdl) {
        std::string error;
        std::unique_ptr<display::Backend> display = sdl_display::open(error);
        if (!display) {
            std::fprintf(stderr, "present_bench: no display for SDL: %s\n", error.c_str());
            return 1;
        }
        bench::open_package_on(std::move(display));
        backend = "sdl";
    } else {
        bench::open_package();
    }
    static const Frames frames = two_frames();
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);

    benchmark::RegisterBenchmark(("present/" + backend + "/copy").c_str(), copy_to_window,
                                 std::cref(frames));
    benchmark::RegisterBenchmark(("present/" + backend + "/copy_and_present").c_str(),
                                 copy_and_present, std::cref(frames));
    benchmark::RegisterBenchmark("present/memcpy_canvas", plain_copy);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    display::install(nullptr);
    return 0;
}
