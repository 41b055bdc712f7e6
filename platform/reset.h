// Puts the stand-in back as a process finds it when it starts, for harnesses that run a program
// many times in one process (fuzzers): no windows, classes, menus, timers, messages, GDI objects
// or memory blocks; every key up. Handles from before name nothing afterwards. The loaded
// fonts stay, and so does the display backend: install a new one to start it afresh.
#pragma once

namespace platform {

void reset();

} // namespace platform
