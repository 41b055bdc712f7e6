// For tools and tests, never for programs: observers that see what the package does. Programs
// include gfx/gfx.h only; this header and gfx/state.h, the package's own declarations, are for
// the conformance check, the headless runner, the benchmarks, the fuzz harness and the tests.
#pragma once

#include "gfx/state.h"

// A record observer is called by each drawing call with the record it builds, instead of
// painting it; a log observer by gfx_log with each line, as formatted (gfx/state.h has their
// types). Installs one (null: none, and the drawing calls paint again), called with `context`.
void observe_records(RecordObserver observer, void *context);
void observe_log(LogObserver observer, void *context);
// Installs a script opener (null: none, and KORVA.SCR is opened again), called with `context`:
// scripts are then read from and written to the streams it gives.
void redirect_script(ScriptOpener opener, void *context);
