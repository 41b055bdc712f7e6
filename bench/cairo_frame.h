// The baseline: the same draw records painted with Cairo on an image surface of the canvas's
// size, antialiasing off, with the same geometry as the package's renderer gives them.
#pragma once

#include "bench/demo_frame.h"

#include <cairo.h>

#include <vector>

namespace bench {

class CairoCanvas {
  public:
    CairoCanvas();
    ~CairoCanvas();
    CairoCanvas(const CairoCanvas &) = delete;
    CairoCanvas &operator=(const CairoCanvas &) = delete;

    // Paints one record; coordinates are mapped around the origin as the renderer maps them.
    void draw(const CorpusRecord &shape);
    void draw(const std::vector<CorpusRecord> &shapes) {
        for (const CorpusRecord &shape : shapes) draw(shape);
    }

  private:
    cairo_surface_t *surface_;
    cairo_t *cr_;
};

} // namespace bench
