// A realized face: one font file at one pixel size, its metrics, and its glyphs, rendered
// without anti-aliasing and cached by byte. Bytes are characters of Windows' ANSI code page 1252.
#pragma once

#include "platform/gdi/text/text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace text {

// A glyph as horizontal runs of ink, relative to the pen on the baseline: a run covers
// x0 <= x < x1 on row y (negative y is above the baseline).
struct GlyphRun {
    int32_t y, x0, x1;
};

struct Glyph {
    bool ready = false;
    int advance = 0;      // its width when text is measured
    int draw_advance = 0; // how far the pen moves past it when text is drawn
    int left = 0, top = 0, right = 0, bottom = 0; // the ink's box, in run coordinates
    std::vector<GlyphRun> runs;
};

struct Face {
    FT_Face ft = nullptr;
    bool bitmap_font = false;
    // The font's gasp table asks for grey (anti-aliased) rendering at this size. GDI then draws
    // with normally hinted glyphs, else with glyphs hinted for one bit; the pen moves by the
    // advances of the glyphs it draws.
    bool gasp_grey = false;
    Metrics metrics;
    mutable std::array<Glyph, 256> glyphs; // filled on first use of each byte

    Face() = default;
    Face(const Face &) = delete;
    Face &operator=(const Face &) = delete;
    ~Face();
};

// A scalable (TrueType) face at a character height of `em` pixels, with GDI's metrics for it.
// Takes over `ft`, an open FreeType face, even when it fails (null).
std::unique_ptr<Face> scalable_face(FT_Face ft, int em, int weight);

// A bitmap face at its own (first) size. Takes over `ft` even when it fails (null).
std::unique_ptr<Face> bitmap_face(FT_Face ft);

// The glyph a byte draws with, rendered on first use.
const Glyph &glyph_for(const Face &face, unsigned char byte);

} // namespace text
