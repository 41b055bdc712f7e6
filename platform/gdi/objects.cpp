// Pens, brushes, fonts and bitmaps: creation, stock objects and deletion.
#include "platform/gdi/objects.h"
#include "platform/gdi/dc.h"

#include <cstdlib>

namespace gdi {

namespace {

constexpr int STOCK_COUNT = 18;

struct StockObjects {
    HGDIOBJ by_index[STOCK_COUNT] = {};
    HBITMAP bitmap = nullptr;
};

StockObjects &stock() {
    static StockObjects objects;
    return objects;
}

HGDIOBJ as_object(uintptr_t value) {
    return reinterpret_cast<HGDIOBJ>(value);
}
uintptr_t value_of(HGDIOBJ handle) {
    return reinterpret_cast<uintptr_t>(handle);
}

HGDIOBJ add_stock_brush(Objects &o, COLORREF color, bool null) {
    return as_object(o.brushes.add(BrushObject{null, color, true}));
}

HGDIOBJ add_stock_pen(Objects &o, int style, COLORREF color) {
    return as_object(o.pens.add(PenObject{style, 1, color, true}));
}

// The stock fonts carry the request Windows makes for them; the text layer realises the face.
HGDIOBJ add_stock_font(Objects &o, int index, int height, const char *face) {
    FontObject font;
    font.height = height;
    font.face_name = face;
    font.stock_index = index;
    font.stock = true;
    return as_object(o.fonts.add(std::move(font)));
}

void create_stock_objects(Objects &o) {
    StockObjects &s = stock();
    s.by_index[WHITE_BRUSH] = add_stock_brush(o, RGB(255, 255, 255), false);
    s.by_index[LTGRAY_BRUSH] = add_stock_brush(o, RGB(192, 192, 192), false);
    s.by_index[GRAY_BRUSH] = add_stock_brush(o, RGB(128, 128, 128), false);
    s.by_index[DKGRAY_BRUSH] = add_stock_brush(o, RGB(64, 64, 64), false);
    s.by_index[BLACK_BRUSH] = add_stock_brush(o, RGB(0, 0, 0), false);
    s.by_index[NULL_BRUSH] = add_stock_brush(o, 0, true);
    s.by_index[WHITE_PEN] = add_stock_pen(o, PS_SOLID, RGB(255, 255, 255));
    s.by_index[BLACK_PEN] = add_stock_pen(o, PS_SOLID, RGB(0, 0, 0));
    s.by_index[NULL_PEN] = add_stock_pen(o, PS_NULL, 0);
    s.by_index[OEM_FIXED_FONT] = add_stock_font(o, OEM_FIXED_FONT, 12, "Terminal");
    s.by_index[ANSI_FIXED_FONT] = add_stock_font(o, ANSI_FIXED_FONT, 12, "Courier");
    s.by_index[ANSI_VAR_FONT] = add_stock_font(o, ANSI_VAR_FONT, 12, "MS Sans Serif");
    s.by_index[SYSTEM_FONT] = add_stock_font(o, SYSTEM_FONT, 16, "System");
    s.by_index[DEVICE_DEFAULT_FONT] = add_stock_font(o, DEVICE_DEFAULT_FONT, 16, "System");
    s.by_index[SYSTEM_FIXED_FONT] = add_stock_font(o, SYSTEM_FIXED_FONT, 16, "Fixedsys");
    s.by_index[DEFAULT_GUI_FONT] = add_stock_font(o, DEFAULT_GUI_FONT, -11, "MS Shell Dlg");
    BitmapObject one_pixel;
    one_pixel.surface.resize(1, 1, 0);
    one_pixel.stock = true;
    s.bitmap = reinterpret_cast<HBITMAP>(o.bitmaps.add(std::move(one_pixel)));
}

} // namespace

Objects *create_objects() {
    auto *created = new Objects;
    create_stock_objects(*created);
    return created;
}

HPEN default_pen() {
    return static_cast<HPEN>(GetStockObject(BLACK_PEN));
}
HBRUSH default_brush() {
    return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}
HFONT default_font() {
    return static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}
HBITMAP default_bitmap() {
    objects();
    return stock().bitmap;
}

void reset() {
    device_contexts().clear();
    Objects &o = objects();
    o.pens.clear();
    o.brushes.clear();
    o.fonts.clear();
    o.bitmaps.clear();
    stock() = StockObjects{};
    create_stock_objects(o);
}

namespace {
struct SavedObjects {
    platform::HandleTable<PenObject>::Saved pens;
    platform::HandleTable<BrushObject>::Saved brushes;
    platform::HandleTable<FontObject>::Saved fonts;
    platform::HandleTable<BitmapObject>::Saved bitmaps;
    platform::HandleTable<DeviceContext>::Saved device_contexts;
    StockObjects stock;
};
SavedObjects saved_objects;
} // namespace

void save() {
    Objects &o = objects();
    saved_objects = SavedObjects{o.pens.save(),    o.brushes.save(),         o.fonts.save(),
                                 o.bitmaps.save(), device_contexts().save(), stock()};
}

void restore() {
    Objects &o = objects();
    o.pens.restore(saved_objects.pens);
    o.brushes.restore(saved_objects.brushes);
    o.fonts.restore(saved_objects.fonts);
    o.bitmaps.restore(saved_objects.bitmaps);
    device_contexts().restore(saved_objects.device_contexts);
    stock() = saved_objects.stock;
}

} // namespace gdi

using namespace gdi;

HGDIOBJ GetStockObject(int index) {
    objects();
    if (index < 0 || index >= STOCK_COUNT) return nullptr;
    return stock().by_index[index];
}

HPEN CreatePen(int style, int width, COLORREF color) {
    if (style != PS_SOLID && style != PS_NULL) return nullptr;
    // Widths 0 and 1 both give a one-pixel pen; a negative width counts as its magnitude.
    int magnitude = width == INT32_MIN ? INT32_MAX : std::abs(width);
    PenObject pen{style, magnitude, color & 0xFFFFFF, false};
    return reinterpret_cast<HPEN>(objects().pens.add(pen));
}

HBRUSH CreateSolidBrush(COLORREF color) {
    return reinterpret_cast<HBRUSH>(
        objects().brushes.add(BrushObject{false, color & 0xFFFFFF, false}));
}

namespace {

// Out of line, like selecting one: pens and brushes are deleted with every drawing call.
__attribute__((noinline)) BOOL delete_bitmap(Objects &o, uintptr_t value) {
    BitmapObject *bitmap = o.bitmaps.find(value);
    if (!bitmap) return FALSE;
    if (bitmap->stock) return TRUE;
    // A bitmap selected into a DC cannot be deleted, as in Windows.
    if (bitmap->selected_into && find_dc(bitmap->selected_into)) return FALSE;
    return o.bitmaps.remove(value);
}

} // namespace

BOOL DeleteObject(HGDIOBJ handle) {
    Objects &o = objects();
    uintptr_t value = value_of(handle);
    switch (platform::handle_kind(value)) {
    case platform::HandleKind::Pen: {
        PenObject *pen = o.pens.find(value);
        if (!pen) return FALSE;
        return pen->stock ? TRUE : o.pens.remove(value);
    }
    case platform::HandleKind::Brush: {
        BrushObject *brush = o.brushes.find(value);
        if (!brush) return FALSE;
        return brush->stock ? TRUE : o.brushes.remove(value);
    }
    case platform::HandleKind::Font: {
        FontObject *font = o.fonts.find(value);
        if (!font) return FALSE;
        return font->stock ? TRUE : o.fonts.remove(value);
    }
    case platform::HandleKind::Bitmap: return delete_bitmap(o, value);
    default: return FALSE;
    }
}
