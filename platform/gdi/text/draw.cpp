// Measuring and drawing strings of bytes with a realized face.
#include "platform/gdi/raster/canvas.h"
#include "platform/gdi/text/face.h"
#include "platform/gdi/text/text.h"

#include <algorithm>

namespace text {

namespace {

// Fills the pixels left <= x < right, top <= y < bottom (pixel coordinates) that lie in the clip.
void fill(const raster::Target &target, int64_t left, int64_t top, int64_t right, int64_t bottom,
          uint32_t color) {
    left = std::max<int64_t>(left, target.clip_left);
    top = std::max<int64_t>(top, target.clip_top);
    right = std::min<int64_t>(right, target.clip_right);
    bottom = std::min<int64_t>(bottom, target.clip_bottom);
    if (left >= right) return;
    for (int64_t y = top; y < bottom; y++)
        raster::fill_pixels(target.pixels + y * target.stride + left, right - left, color);
}

// Draws a glyph with its pen at pixel (pen_x, baseline).
void draw_glyph(const raster::Target &target, const Glyph &glyph, int64_t pen_x, int64_t baseline,
                uint32_t color) {
    if (glyph.runs.empty() || pen_x + glyph.right <= target.clip_left ||
        pen_x + glyph.left >= target.clip_right || baseline + glyph.bottom <= target.clip_top ||
        baseline + glyph.top >= target.clip_bottom)
        return;
    if (pen_x + glyph.left >= target.clip_left && pen_x + glyph.right <= target.clip_right &&
        baseline + glyph.top >= target.clip_top && baseline + glyph.bottom <= target.clip_bottom) {
        // Wholly inside the clip, as nearly every glyph is: each run straight into its row.
        for (const GlyphRun &run : glyph.runs) {
            uint32_t *row = target.pixels + (baseline + run.y) * target.stride + pen_x;
            for (int32_t x = run.x0; x < run.x1; x++) row[x] = color;
        }
        return;
    }
    for (const GlyphRun &run : glyph.runs)
        fill(target, pen_x + run.x0, baseline + run.y, pen_x + run.x1, baseline + run.y + 1, color);
}

} // namespace

int64_t text_width(const Face &face, const char *text, int count) {
    int64_t width = 0;
    for (int i = 0; i < count; i++)
        width += glyph_for(face, static_cast<unsigned char>(text[i])).advance;
    return width;
}

void draw_text(const raster::Target &target, const Face &face, int x, int y, const char *text,
               int count, uint32_t color, const uint32_t *background) {
    if (!target.pixels || !text || count <= 0) return;
    // Pixel coordinates, in 64 bits so that no position or sum overflows.
    int64_t left = int64_t(x) + target.offset_x;
    int64_t top = int64_t(y) + target.offset_y;
    if (background)
        fill(target, left, top, left + text_width(face, text, count), top + face.metrics.height,
             *background);
    // Glyphs draw only inside the character cell's rows, as GDI's do: an accent above a capital
    // or a cedilla below the descent is cut off.
    raster::Target cell = target;
    cell.clip_top = int(std::max<int64_t>(target.clip_top, top));
    cell.clip_bottom = int(std::min<int64_t>(target.clip_bottom, top + face.metrics.height));
    if (cell.clip_top >= cell.clip_bottom) return;
    // No glyph's ink starts further left of its pen than this, so once the pen is this far past
    // the clip's right edge, nothing more can show.
    int64_t reach = face.metrics.max_char_width + face.metrics.height;
    int64_t pen_x = left;
    int64_t baseline = top + face.metrics.ascent;
    for (int i = 0; i < count && pen_x - reach < cell.clip_right; i++) {
        const Glyph &glyph = glyph_for(face, static_cast<unsigned char>(text[i]));
        draw_glyph(cell, glyph, pen_x, baseline, color);
        pen_x += glyph.draw_advance;
    }
}

} // namespace text
