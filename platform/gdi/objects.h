// GDI objects: pens, brushes, fonts and bitmaps, with their handle tables and the stock objects.
#pragma once

#include "platform/handle_table.h"
#include "platform/surface.h"
#include "platform/win.h"

#include <string>

namespace text {
struct Face;
}

namespace gdi {

struct PenObject {
    int style = PS_SOLID;
    int width = 1;
    COLORREF color = 0;
    bool stock = false;
};

struct BrushObject {
    bool null = false;
    COLORREF color = 0;
    bool stock = false;
};

// A font as requested (CreateFontA or a stock font); the face that draws it is found on first use.
struct FontObject {
    int height = 0; // CreateFontA's height: < 0 character height, > 0 cell height, 0 default
    int weight = FW_NORMAL;
    bool italic = false;
    std::string face_name;
    int stock_index = -1; // the GetStockObject index of a stock font, else -1
    bool stock = false;
    const text::Face *face = nullptr; // resolved lazily by the text layer
};

struct BitmapObject {
    platform::Surface surface;
    bool stock = false;
    HDC selected_into = nullptr; // a bitmap is selected into at most one memory DC
};

struct Objects {
    platform::HandleTable<PenObject> pens{platform::HandleKind::Pen};
    platform::HandleTable<BrushObject> brushes{platform::HandleKind::Brush};
    platform::HandleTable<FontObject> fonts{platform::HandleKind::Font};
    platform::HandleTable<BitmapObject> bitmaps{platform::HandleKind::Bitmap};
};

// Makes the object tables with the stock objects in them; objects() calls it once.
Objects *create_objects();

// The process's GDI objects, stock objects included (created on first use and never destroyed,
// so that they outlive every other static). Inline, with the lookups below: every drawing call
// goes through them several times.
inline Objects &objects() {
    static Objects *const o = create_objects();
    return *o;
}

inline PenObject *find_pen(HGDIOBJ handle) {
    return objects().pens.find(reinterpret_cast<uintptr_t>(handle));
}
inline BrushObject *find_brush(HGDIOBJ handle) {
    return objects().brushes.find(reinterpret_cast<uintptr_t>(handle));
}
inline FontObject *find_font(HGDIOBJ handle) {
    return objects().fonts.find(reinterpret_cast<uintptr_t>(handle));
}
inline BitmapObject *find_bitmap(HGDIOBJ handle) {
    return objects().bitmaps.find(reinterpret_cast<uintptr_t>(handle));
}

// The defaults a new DC starts with.
HPEN default_pen();       // BLACK_PEN
HBRUSH default_brush();   // WHITE_BRUSH
HFONT default_font();     // SYSTEM_FONT
HBITMAP default_bitmap(); // the 1x1 stock bitmap of a new memory DC

// Forgets every object and DC; for tests that need a fresh process state.
void reset();
// Keeps every object and DC, bitmaps' pixels included, and puts them back under the same
// handles; for harnesses that open a program once and start each run from there.
void save();
void restore();

} // namespace gdi
