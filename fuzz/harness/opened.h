// The package opened once per process and put back after every run as it stood then: the fuzz
// targets run each input so, at a small part of the cost of opening the package anew, and any
// input still replays alone exactly as it ran (tests/robustness/fresh_state_test).
#pragma once

#include "platform/display/virtual/virtual_display.h"

namespace harness {

// Opens the package as a program does: gfx_open, logging off, then the messages that follow
// until none is left and the window shows the canvas.
void open_package();

// One run on the opened package. The first one starts afresh (fresh_start), opens the package
// (open_package) and keeps that state: the package's, the
// stand-in's and the display's. Each run ends by putting it back, so that what the run
// allocated is freed within it (libFuzzer counts allocations per input). A run that finds
// another display installed (a test started afresh since) first puts the state back too.
class OpenedPackage {
  public:
    OpenedPackage();
    ~OpenedPackage();
    OpenedPackage(const OpenedPackage &) = delete;
    OpenedPackage &operator=(const OpenedPackage &) = delete;

    // Installed as the backend; idle, without an idle handler.
    virtual_display::Display &display;
};

} // namespace harness
