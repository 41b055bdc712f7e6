// Device contexts: what a DC has selected, and the pixels it draws into.
#pragma once

#include "platform/gdi/raster/raster.h"
#include "platform/handle_table.h"
#include "platform/win.h"

namespace gdi {

struct DeviceContext {
    HWND window = nullptr; // a window DC draws into this window's client area
    bool memory = false;   // a memory DC draws into its selected bitmap
    HBITMAP bitmap = nullptr;
    HPEN pen = nullptr;
    HBRUSH brush = nullptr;
    HFONT font = nullptr;
    COLORREF text_color = 0x000000;
    COLORREF bk_color = 0xFFFFFF;
    int bk_mode = OPAQUE;
    POINT position{0, 0}; // MoveToEx / LineTo
};

// The live DCs (never destroyed, like the objects). Inline: every drawing call looks its DC up.
inline platform::HandleTable<DeviceContext> &device_contexts() {
    static auto *const table =
        new platform::HandleTable<DeviceContext>{platform::HandleKind::DeviceContext};
    return *table;
}
inline DeviceContext *find_dc(HDC dc) {
    return device_contexts().find(reinterpret_cast<uintptr_t>(dc));
}

// A DC for a window's client area (GetDC, BeginPaint); released with release_window_dc.
HDC create_window_dc(HWND window);
void release_window_dc(HDC dc);

// The pixels `dc` draws into, clipped to its bitmap or to its window's client area. False when
// it has none: a destroyed window, a hidden or zero-sized client area, an empty bitmap.
bool dc_target(const DeviceContext &dc, raster::Target &target);

// Tells the window behind a window DC that its pixels changed, so that it is presented.
void dc_changed(const DeviceContext &dc);

} // namespace gdi
