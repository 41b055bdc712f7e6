// Text for the stand-in: the font files, realized faces, and measuring and drawing strings.
//
// The GDI text calls (CreateFontA, TextOutA, ...) are built on this; the window layer uses it
// directly to draw menus. Strings are bytes in Windows' ANSI code page 1252: Latin-1 with
// typographic characters (the euro sign, quotes, dashes, ...) at 0x80..0x9F. Control codes and
// the bytes the code page leaves undefined draw the face's missing-glyph box, as GDI draws a
// character its font lacks.
#pragma once

#include "platform/gdi/raster/raster.h"

#include <cstdint>
#include <string>

namespace gdi {
struct FontObject;
}

namespace text {

struct Face;
struct FontLookup;

// A face's metrics in pixels, with TEXTMETRICA's meanings.
struct Metrics {
    int height = 0; // one line of character cells: ascent + descent
    int ascent = 0; // the baseline lies this many rows below the top of a cell
    int descent = 0;
    int internal_leading = 0;
    int external_leading = 0;
    int average_char_width = 0;
    int max_char_width = 0;
    int weight = 0;
    uint8_t pitch_and_family = 0;
    uint8_t first_char = 0, last_char = 0, default_char = 0, break_char = 0;
};

// Finds and loads the font files. Returns false with an error that names the Debian package to
// install. Called once by the program's entry and by test mains; text used before it calls it
// itself and aborts with that error if the fonts are missing.
bool init(std::string &error);

// Replaces where init looks for font files. For tests; has effect only before init.
void set_font_lookup(const FontLookup &lookup);

// The face that draws a font object (resolved on first use and kept in the object).
const Face &face_for(gdi::FontObject &font);

// The menu face: Liberation Sans at a character height of 12 pixels.
const Face &menu_face();

const Metrics &metrics(const Face &face);

// The width of `count` bytes of `text`: the sum of their advances, as GDI measures them.
int64_t text_width(const Face &face, const char *text, int count);

// Draws `count` bytes of `text` into `surface`, within its clip, with the top-left of the first
// character cell at device (x, y) and the baseline at y + ascent, glyph pixels in `color`
// (0x00RRGGBB). As under GDI, the pen moves by the advances of the glyphs as drawn, which can
// differ from the measured ones by a pixel or two, and no glyph pixel falls outside the cell's rows
// (y .. y + height - 1). With a `background`, the measured extent (x .. x + text_width - 1 by the
// cell's rows) is filled with it first; without, only glyph pixels change.
void draw_text(platform::Surface &surface, const Face &face, int x, int y, const char *text,
               int count, uint32_t color, const uint32_t *background = nullptr);

} // namespace text
