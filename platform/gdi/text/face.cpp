// Realized faces: GDI's metrics for a face at a size, and glyphs rendered one bit deep.
#include "platform/gdi/text/face.h"

#include "platform/win.h"

#include FT_TRUETYPE_TABLES_H

#include <algorithm>

namespace text {

namespace {

// Font units as whole pixels at `scale` (16.16 pixels per unit, times 64), rounded as GDI's
// FreeType backend rounds them: first to 1/64 pixel, then to the nearest pixel.
int scaled(FT_Long units, FT_Fixed scale) {
    return int((FT_MulFix(units, scale) + 32) >> 6);
}

// Latin-1 control codes have no character, so they take the missing glyph (index 0); so does
// any character the face lacks.
FT_UInt glyph_index(FT_Face ft, unsigned char byte) {
    if (byte < 32 || (byte >= 127 && byte < 160)) return 0;
    return FT_Get_Char_Index(ft, byte);
}

bool ink_at(const FT_Bitmap &bitmap, const unsigned char *row, unsigned x) {
    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) return (row[x >> 3] >> (7 - (x & 7))) & 1;
    if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) return row[x] >= 128;
    return false;
}

// Turns the slot's rendered bitmap into runs of ink.
void take_bitmap(FT_GlyphSlot slot, Glyph &glyph) {
    const FT_Bitmap &bitmap = slot->bitmap;
    glyph.runs.clear();
    for (unsigned r = 0; r < bitmap.rows; r++) {
        const unsigned char *row =
            bitmap.pitch >= 0 ? bitmap.buffer + size_t(r) * size_t(bitmap.pitch)
                              : bitmap.buffer + size_t(bitmap.rows - 1 - r) * size_t(-bitmap.pitch);
        int32_t y = int32_t(r) - slot->bitmap_top;
        unsigned x = 0;
        while (x < bitmap.width) {
            if (!ink_at(bitmap, row, x)) {
                x++;
                continue;
            }
            unsigned end = x + 1;
            while (end < bitmap.width && ink_at(bitmap, row, end)) end++;
            glyph.runs.push_back(
                {y, slot->bitmap_left + int32_t(x), slot->bitmap_left + int32_t(end)});
            x = end;
        }
    }
    if (glyph.runs.empty()) return;
    glyph.left = glyph.runs[0].x0;
    glyph.right = glyph.runs[0].x1;
    glyph.top = glyph.runs.front().y;
    glyph.bottom = glyph.runs.back().y + 1;
    for (const GlyphRun &run : glyph.runs) {
        glyph.left = std::min(glyph.left, run.x0);
        glyph.right = std::max(glyph.right, run.x1);
    }
}

// Loads and renders one glyph. A scalable face takes its advance from hinting for an ordinary
// (grey) target, as GDI measures text, and its image from hinting for a one-bit target, which
// keeps stems crisp; both are whole pixels. A glyph that fails to load draws nothing.
void load_glyph(const Face &face, FT_UInt index, Glyph &glyph) {
    FT_Face ft = face.ft;
    if (!face.bitmap_font && FT_Load_Glyph(ft, index, FT_LOAD_DEFAULT) == 0)
        glyph.advance = int((ft->glyph->metrics.horiAdvance + 63) >> 6);
    if (FT_Load_Glyph(ft, index, FT_LOAD_TARGET_MONO | FT_LOAD_RENDER) != 0) return;
    if (face.bitmap_font) glyph.advance = int((ft->glyph->advance.x + 32) >> 6);
    take_bitmap(ft->glyph, glyph);
}

} // namespace

Face::~Face() {
    if (ft) FT_Done_Face(ft);
}

std::unique_ptr<Face> scalable_face(FT_Face ft, int em, int weight) {
    auto face = std::make_unique<Face>();
    face->ft = ft;
    const TT_OS2 *os2 = static_cast<const TT_OS2 *>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
    const TT_HoriHeader *hhea =
        static_cast<const TT_HoriHeader *>(FT_Get_Sfnt_Table(ft, FT_SFNT_HHEA));
    if (!os2 || !hhea || FT_Set_Pixel_Sizes(ft, 0, FT_UInt(em)) != 0) return nullptr;

    // GDI's arithmetic for a TrueType face (as Wine computes it): the cell is the OS/2 "win"
    // ascent and descent scaled to the character height, each rounded on its own.
    FT_Fixed scale = FT_DivFix(FT_Long(em) * 64, ft->units_per_EM);
    FT_Long win_ascent = os2->usWinAscent, win_descent = os2->usWinDescent;
    Metrics &m = face->metrics;
    m.ascent = scaled(win_ascent, scale);
    m.descent = scaled(win_descent, scale);
    m.height = m.ascent + m.descent;
    m.internal_leading = scaled(win_ascent + win_descent - ft->units_per_EM, scale);
    FT_Long gap =
        hhea->Line_Gap - ((win_ascent + win_descent) - (hhea->Ascender - hhea->Descender));
    m.external_leading = scaled(std::max<FT_Long>(0, gap), scale);
    m.average_char_width = scaled(os2->xAvgCharWidth, scale);
    m.max_char_width = scaled(ft->bbox.xMax - ft->bbox.xMin, scale);
    m.weight = weight;
    m.pitch_and_family = 0x27; // FF_SWISS, TrueType, vector, variable pitch
    m.first_char = 32;
    m.last_char = 255;
    m.default_char = 31; // no character: draws the missing glyph, as any absent byte does
    m.break_char = 32;
    return face;
}

std::unique_ptr<Face> bitmap_face(FT_Face ft) {
    auto face = std::make_unique<Face>();
    face->ft = ft;
    face->bitmap_font = true;
    if (ft->num_fixed_sizes < 1 || FT_Select_Size(ft, 0) != 0) return nullptr;
    const FT_Size_Metrics &size = ft->size->metrics;
    Metrics &m = face->metrics;
    m.ascent = int(size.ascender >> 6);
    m.descent = int(-size.descender >> 6);
    m.height = m.ascent + m.descent;
    m.internal_leading = m.height - int(ft->available_sizes[0].height);
    m.external_leading = 0;
    m.average_char_width = int(size.max_advance >> 6);
    m.max_char_width = m.average_char_width;
    m.weight = FW_NORMAL;
    m.pitch_and_family = 0x30; // FF_MODERN, raster, fixed pitch
    m.first_char = 32;
    m.last_char = 255;
    m.default_char = 128; // a control code: the missing glyph
    m.break_char = 32;
    return face;
}

const Glyph &glyph_for(const Face &face, unsigned char byte) {
    Glyph &glyph = face.glyphs[byte];
    if (!glyph.ready) {
        load_glyph(face, glyph_index(face.ft, byte), glyph);
        glyph.ready = true;
    }
    return glyph;
}

} // namespace text
