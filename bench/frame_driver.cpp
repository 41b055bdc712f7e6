// Draws N frames of the demo, for instruction counts under callgrind: only run_frames is of
// interest, so start-up (fonts, windows) can be left out of the count with
//   valgrind --tool=callgrind --collect-atstart=no --toggle-collect=run_frames frame_driver N
//
//   frame_driver [frames] [--logging]     default 100 frames, logging off
#include "bench/demo_frame.h"

#include <cstdlib>
#include <cstring>

// Not inlined, so that callgrind can find it by name.
extern "C" __attribute__((noinline)) void run_frames(int frames) {
    for (int i = 0; i < frames; i++) bench::draw_frame();
}

int main(int argc, char **argv) {
    int frames = 100;
    bool logging = false;
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "--logging") == 0)
            logging = true;
        else
            frames = std::atoi(argv[i]);
    }
    bench::open_package();
    if (logging) gfx_logging(1);
    bench::draw_frame(); // glyphs and faces realized, the log ring full
    run_frames(frames);
    return 0;
}
