// Puts the stand-in back as a process finds it when it starts, for harnesses that run a program
// many times in one process (fuzzers): no windows, classes, menus, timers, messages, GDI objects
// or memory blocks; every key up, no menu open. Handles from before name nothing afterwards. The
// loaded fonts stay, and so does the display backend: install a new one to start it afresh.
#pragma once

namespace platform {

void reset();

// Keeps the stand-in's whole state as it is now (windows with their pixels, classes, menus and
// the open menu, timers, messages, focus, keys, GDI objects with bitmaps' pixels, memory
// blocks), and puts it back, any number of times: a harness opens a program once and starts
// each run from there, far faster than opening it anew. Buffers keep their capacity, so a run
// after the first allocates little. The display backend is not part of it: keep a copy of that
// too.
void save();
void restore();

} // namespace platform
