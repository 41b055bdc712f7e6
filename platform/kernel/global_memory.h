// Fault injection for movable memory blocks, for tests.
#pragma once

namespace kernel {

// The next `count` calls of GlobalAlloc fail and return null.
void fail_next_allocations(int count);

// Blocks currently allocated; for tests that look for leaks.
int live_blocks();

// Frees every block and cancels injected failures, as a process starts.
void reset_memory();

} // namespace kernel
