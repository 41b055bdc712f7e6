// One frame of the bug demo, as the benchmarks draw it: the package opened on the virtual
// display, the demo's own scene, panel and nine bugs drawn through the public calls.
#pragma once

#include "gfx/state.h"
#include "platform/display/display.h"
#include "tools/conformance/corpus.h"

#include <memory>
#include <vector>

namespace bench {

// Installs a virtual display of this size, loads the fonts and opens the package with logging
// off, as the demo starts. Aborts with a message when the fonts are missing.
void open_package(int screen_width = 1024, int screen_height = 768);
// The same on another display backend (the SDL one).
void open_package_on(std::unique_ptr<display::Backend> backend);

// The 231 drawing calls of a full frame: the scene at phase 0 of an even cycle (60 calls, the
// fish with an open mouth), the panel with nine number boxes (36) and nine bugs of sizes 22
// down to 6 at assorted places and in assorted colours (135). Another phase gives another
// picture (with one call fewer when the fish's mouth is closed).
void draw_frame(int phase = 0);
// Its three parts: the scene (60 calls at phase 0), the panel (36), the bugs (135).
void draw_scene_part(int phase = 0);
void draw_panel_part();
void draw_bugs_part();

// The records that `draw` builds through the drawing calls, captured instead of painted, with
// their text.
std::vector<CorpusRecord> capture_shapes(void (*draw)());

// The records of draw_frame.
inline std::vector<CorpusRecord> frame_shapes() {
    return capture_shapes([] { draw_frame(); });
}

} // namespace bench
