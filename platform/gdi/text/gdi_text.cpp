// The GDI text calls: creating fonts, their metrics, measuring and drawing text on a DC.
#include "platform/gdi/dc.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/text/text.h"
#include "platform/surface.h"
#include "platform/win.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

// LOGFONT's face names hold 31 characters and a terminator.
const size_t kFaceNameLength = 31;

// The face that draws the DC's selected font; the default font if that is gone.
const text::Face *selected_face(gdi::DeviceContext &dc) {
    gdi::FontObject *font = gdi::find_font(dc.font);
    if (!font) font = gdi::find_font(gdi::default_font());
    return font ? &text::face_for(*font) : nullptr;
}

// A text argument is usable if its count is not negative and the bytes exist.
bool valid_text(LPCSTR text, int count) {
    return count >= 0 && (count == 0 || text);
}

BOOL text_extent(HDC handle, LPCSTR text, int count, LPSIZE size) {
    gdi::DeviceContext *dc = gdi::find_dc(handle);
    if (!dc || !size || !valid_text(text, count)) return FALSE;
    const text::Face *face = selected_face(*dc);
    if (!face) return FALSE;
    // One line high whatever newlines the text holds; an empty text has no extent at all.
    int64_t width = text::text_width(*face, text, count);
    size->cx = LONG(std::min<int64_t>(width, INT32_MAX));
    size->cy = count > 0 ? text::metrics(*face).height : 0;
    return TRUE;
}

} // namespace

HFONT CreateFontA(int height, int /*width*/, int /*escapement*/, int /*orientation*/, int weight,
                  DWORD italic, DWORD /*underline*/, DWORD /*strike_out*/, DWORD /*charset*/,
                  DWORD /*out_precision*/, DWORD /*clip_precision*/, DWORD /*quality*/,
                  DWORD /*pitch_and_family*/, LPCSTR face) {
    gdi::FontObject font;
    font.height = height;
    font.weight = weight;
    font.italic = italic != 0;
    if (face) font.face_name.assign(face, strnlen(face, kFaceNameLength));
    return reinterpret_cast<HFONT>(gdi::objects().fonts.add(std::move(font)));
}

BOOL GetTextMetricsA(HDC handle, LPTEXTMETRICA tm) {
    gdi::DeviceContext *dc = gdi::find_dc(handle);
    if (!dc || !tm) return FALSE;
    const text::Face *face = selected_face(*dc);
    if (!face) return FALSE;
    const text::Metrics &m = text::metrics(*face);
    *tm = TEXTMETRICA{};
    tm->tmHeight = m.height;
    tm->tmAscent = m.ascent;
    tm->tmDescent = m.descent;
    tm->tmInternalLeading = m.internal_leading;
    tm->tmExternalLeading = m.external_leading;
    tm->tmAveCharWidth = m.average_char_width;
    tm->tmMaxCharWidth = m.max_char_width;
    tm->tmWeight = m.weight;
    tm->tmDigitizedAspectX = 96;
    tm->tmDigitizedAspectY = 96;
    tm->tmFirstChar = m.first_char;
    tm->tmLastChar = m.last_char;
    tm->tmDefaultChar = m.default_char;
    tm->tmBreakChar = m.break_char;
    tm->tmPitchAndFamily = m.pitch_and_family;
    tm->tmCharSet = ANSI_CHARSET;
    return TRUE;
}

BOOL GetTextExtentPointA(HDC dc, LPCSTR text, int count, LPSIZE size) {
    return text_extent(dc, text, count, size);
}

BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int count, LPSIZE size) {
    return text_extent(dc, text, count, size);
}

// TA_TOP | TA_LEFT: (x, y) is the top-left corner of the first character cell. In OPAQUE mode
// the text's cells are filled with the background colour first.
BOOL TextOutA(HDC handle, int x, int y, LPCSTR text, int count) {
    gdi::DeviceContext *dc = gdi::find_dc(handle);
    if (!dc || !valid_text(text, count)) return FALSE;
    const text::Face *face = selected_face(*dc);
    if (!face) return FALSE;
    platform::Surface *surface = gdi::dc_surface(*dc);
    if (!surface) return FALSE;
    if (count == 0) return TRUE;
    uint32_t color = platform::pixel_from_colorref(dc->text_color);
    uint32_t background = platform::pixel_from_colorref(dc->bk_color);
    text::draw_text(*surface, *face, x, y, text, count, color,
                    dc->bk_mode == OPAQUE ? &background : nullptr);
    surface->changed = true;
    return TRUE;
}
