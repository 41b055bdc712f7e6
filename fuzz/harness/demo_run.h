// The bug demo run in-process on the virtual display, as its process entry runs it: the demo
// runs until it is idle (it waits with nothing due); then the caller's idle step decides what
// comes next.
#pragma once

#include "platform/display/virtual/virtual_display.h"

#include <functional>
#include <string>

namespace harness {

// Called whenever the demo is idle, with the deadline it waits for. It may feed input or move
// the clock (if it does neither, the clock moves to the deadline). It returns false when it has
// nothing more to do: the demo's graphics window is then closed for it, as a user would.
using IdleStep = std::function<bool(virtual_display::Display &display, display::Time deadline)>;

// Runs demo_main on `display` (installed by fresh_start) and returns its result. A demo that is
// still idle long after its window was closed would never end: that aborts with a message.
int run_demo(virtual_display::Display &display, IdleStep step);

// Presses a key combination as the headless runner's action files name it ("ctrl+l", "f10",
// "alt+r"): the keys go down in order and come up in reverse. Aborts on an unknown name.
void press_keys(virtual_display::Display &display, const std::string &combination);

} // namespace harness
