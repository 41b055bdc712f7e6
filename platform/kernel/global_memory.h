// Fault injection for movable memory blocks, for tests.
#pragma once

namespace kernel {

// The next `count` calls of GlobalAlloc fail and return null.
void fail_next_allocations(int count);

// Blocks currently allocated; for tests that look for leaks.
int live_blocks();

// Frees every block and cancels injected failures, as a process starts.
void reset_memory();

// Keeps every block with its bytes, and the failures still to come, and puts them back under
// the same handles; for harnesses that open a program once and start each run from there.
void save_memory();
void restore_memory();

} // namespace kernel
