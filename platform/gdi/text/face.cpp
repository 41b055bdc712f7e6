// Realized faces: GDI's metrics for a face at a size, and glyphs rendered one bit deep.
#include "platform/gdi/text/face.h"

#include "platform/code_page.h"
#include "platform/win.h"

#include FT_BITMAP_H
#include FT_GASP_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>

namespace text {

namespace {

// Font units as whole pixels at `scale` (16.16 pixels per unit, times 64), rounded as GDI's
// FreeType backend rounds them: first to 1/64 pixel, then to the nearest pixel.
int scaled(FT_Long units, FT_Fixed scale) {
    return int((FT_MulFix(units, scale) + 32) >> 6);
}

// The character a byte stands for in code page 1252; 0 for control codes (0..31, 127) and the
// undefined bytes, which have no character and draw the missing glyph, as under GDI.
FT_ULong character_of(unsigned char byte) {
    if (byte < 32 || byte == 127) return 0;
    return platform::unicode_of_cp1252(byte);
}

// The glyph for a byte; the missing glyph (index 0) for a byte without a character and for a
// character the face lacks.
FT_UInt glyph_index(FT_Face ft, unsigned char byte) {
    FT_ULong character = character_of(byte);
    return character ? FT_Get_Char_Index(ft, character) : 0;
}

bool ink_at(const FT_Bitmap &bitmap, const unsigned char *row, unsigned x) {
    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) return (row[x >> 3] >> (7 - (x & 7))) & 1;
    if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) return row[x] >= 128;
    return false;
}

// Turns a rendered bitmap whose top-left pixel lies at (bitmap_left, -bitmap_top) from the pen
// into runs of ink.
void take_bitmap(const FT_Bitmap &bitmap, int32_t bitmap_left, int32_t bitmap_top, Glyph &glyph) {
    glyph.runs.clear();
    for (unsigned r = 0; r < bitmap.rows; r++) {
        const unsigned char *row =
            bitmap.pitch >= 0 ? bitmap.buffer + size_t(r) * size_t(bitmap.pitch)
                              : bitmap.buffer + size_t(bitmap.rows - 1 - r) * size_t(-bitmap.pitch);
        int32_t y = int32_t(r) - bitmap_top;
        unsigned x = 0;
        while (x < bitmap.width) {
            if (!ink_at(bitmap, row, x)) {
                x++;
                continue;
            }
            unsigned end = x + 1;
            while (end < bitmap.width && ink_at(bitmap, row, end)) end++;
            glyph.runs.push_back({y, bitmap_left + int32_t(x), bitmap_left + int32_t(end)});
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

// Renders the outline in the slot one bit deep into the whole pixels that its control box
// touches. FreeType's own rendering rounds that box to the nearest pixel edges instead, which
// cuts off the pixels that drop-out control adds at a glyph's tips (the point of a "<" at 12
// pixels); GDI keeps them.
void render_outline(FT_GlyphSlot slot, Glyph &glyph) {
    if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return;
    FT_Outline &outline = slot->outline;
    FT_BBox box;
    FT_Outline_Get_CBox(&outline, &box);
    FT_Pos left = box.xMin & -64, bottom = box.yMin & -64;
    FT_Pos right = (box.xMax + 63) & -64, top = (box.yMax + 63) & -64;
    if (right <= left || top <= bottom) return; // no ink: a space
    FT_Bitmap bitmap;
    FT_Bitmap_Init(&bitmap);
    bitmap.width = unsigned((right - left) >> 6);
    bitmap.rows = unsigned((top - bottom) >> 6);
    bitmap.pitch = int((bitmap.width + 7) / 8);
    bitmap.pixel_mode = FT_PIXEL_MODE_MONO;
    bitmap.num_grays = 2;
    std::vector<unsigned char> buffer(size_t(bitmap.pitch) * bitmap.rows);
    bitmap.buffer = buffer.data();
    FT_Outline_Translate(&outline, -left, -bottom);
    if (FT_Outline_Get_Bitmap(slot->library, &outline, &bitmap) == 0)
        take_bitmap(bitmap, int32_t(left >> 6), int32_t(top >> 6), glyph);
}

// Loads and renders one glyph. A scalable face measures with the advance hinting gives for an
// ordinary (grey) target, as GDI measures text, and draws the image hinted for a one-bit target,
// which keeps stems crisp at every size; the pen moves by the advance of the hinting GDI draws
// with at this size (gasp_grey). All advances are whole pixels. A glyph that fails to load draws
// nothing.
void load_glyph(const Face &face, FT_UInt index, Glyph &glyph) {
    FT_Face ft = face.ft;
    if (face.bitmap_font) {
        if (FT_Load_Glyph(ft, index, FT_LOAD_TARGET_MONO | FT_LOAD_RENDER) != 0) return;
        glyph.advance = glyph.draw_advance = int((ft->glyph->advance.x + 32) >> 6);
        take_bitmap(ft->glyph->bitmap, ft->glyph->bitmap_left, ft->glyph->bitmap_top, glyph);
        return;
    }
    if (FT_Load_Glyph(ft, index, FT_LOAD_DEFAULT) == 0)
        glyph.advance = int((ft->glyph->metrics.horiAdvance + 63) >> 6);
    glyph.draw_advance = glyph.advance;
    if (FT_Load_Glyph(ft, index, FT_LOAD_TARGET_MONO) != 0) return;
    if (!face.gasp_grey) glyph.draw_advance = int((ft->glyph->metrics.horiAdvance + 63) >> 6);
    render_outline(ft->glyph, glyph);
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
    FT_Int gasp = FT_Get_Gasp(ft, FT_UInt(em));
    face->gasp_grey = gasp != FT_GASP_NO_TABLE && (gasp & FT_GASP_DO_GRAY);
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
