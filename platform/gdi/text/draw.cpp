// Measuring and drawing strings of bytes with a realized face.
#include "platform/gdi/raster/clip.h"
#include "platform/gdi/text/face.h"
#include "platform/gdi/text/text.h"

#include <algorithm>

namespace text {

namespace {

// Draws a glyph with its pen at pixel (pen_x, baseline).
void draw_glyph(const raster::Clip &clip, const Glyph &glyph, int64_t pen_x, int64_t baseline,
                uint32_t color) {
    const platform::Rect ink{pen_x + glyph.left, baseline + glyph.top, pen_x + glyph.right,
                             baseline + glyph.bottom};
    if (glyph.runs.empty() || platform::intersect(ink, clip).empty()) return;
    if (clip.covers(ink)) {
        // Wholly inside the clip, as nearly every glyph is: each run straight into its row.
        for (const GlyphRun &run : glyph.runs) {
            uint32_t *row = clip.marked_row(baseline + run.y) + pen_x;
            for (int32_t x = run.x0; x < run.x1; x++) row[x] = color;
        }
        return;
    }
    for (const GlyphRun &run : glyph.runs)
        raster::fill_span(clip, baseline + run.y, pen_x + run.x0, pen_x + run.x1 - 1, color);
}

} // namespace

int64_t text_width(const Face &face, const char *text, int count) {
    int64_t width = 0;
    for (int i = 0; i < count; i++)
        width += glyph_for(face, static_cast<unsigned char>(text[i])).advance;
    return width;
}

void draw_text(platform::Surface &surface, const Face &face, int x, int y, const char *text,
               int count, uint32_t color, const uint32_t *background) {
    const raster::Clip clip = raster::clip_of(surface);
    if (clip.empty() || !text || count <= 0) return;
    // Pixel coordinates, in 64 bits so that no position or sum overflows.
    raster::Point64 at = clip.at(x, y);
    int64_t left = at.x, top = at.y;
    if (background)
        raster::fill_box(clip, left, top, left + text_width(face, text, count) - 1,
                         top + face.metrics.height - 1, *background);
    // Glyphs draw only inside the character cell's rows, as GDI's do: an accent above a capital
    // or a cedilla below the descent is cut off.
    raster::Clip cell = clip;
    cell.top = std::max(clip.top, top);
    cell.bottom = std::min(clip.bottom, top + face.metrics.height);
    if (cell.top >= cell.bottom) return;
    cell.written(cell.top, cell.bottom - 1);
    // No glyph's ink starts further left of its pen than this, so once the pen is this far past
    // the clip's right edge, nothing more can show.
    int64_t reach = face.metrics.max_char_width + face.metrics.height;
    int64_t pen_x = left;
    int64_t baseline = top + face.metrics.ascent;
    for (int i = 0; i < count && pen_x - reach < cell.right; i++) {
        const Glyph &glyph = glyph_for(face, static_cast<unsigned char>(text[i]));
        draw_glyph(cell, glyph, pen_x, baseline, color);
        pen_x += glyph.draw_advance;
    }
}

} // namespace text
