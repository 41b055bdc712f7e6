// A fresh process state for every run of the package in one process. The fuzz targets start
// each input here and the robustness tests each case, so that a run never depends on the one
// before it and any input replays alone exactly as it ran.
#pragma once

#include "platform/display/virtual/virtual_display.h"

#include <string>

namespace harness {

// Resets the package and the stand-in, installs a new virtual display with this screen size,
// and removes every file from the current directory, which is a private temporary directory
// made on first use (so KORVA.SCR starts absent). Loads the fonts on first use.
virtual_display::Display &fresh_start(int screen_width = 640, int screen_height = 480);

// Releases everything the run made, package, stand-in and display, so that a run that frees
// what it allocates is seen to (the fuzzers look for leaks after each input).
void finish();

// Every line gfx_log produces, kept in memory from construction on.
class LogCapture {
  public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    // Everything logged since the last call.
    std::string take();
    // Everything logged since construction.
    std::string all();

  private:
    static void keep(const char *line, void *capture);

    std::string text_;
    size_t taken_ = 0;
};

} // namespace harness
