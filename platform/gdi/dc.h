// Device contexts: what a DC has selected, and the pixels it draws into.
#pragma once

#include "platform/handle_table.h"
#include "platform/surface.h"
#include "platform/win.h"

#include <memory>

namespace gdi {

struct DeviceContext {
    bool memory = false; // a memory DC draws into its selected bitmap
    HBITMAP bitmap = nullptr;
    // Any other DC draws into the surface it was made for (a window's client area, handed over
    // by the window layer), for as long as its owner keeps that surface.
    std::weak_ptr<platform::Surface> surface;
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

// A DC that draws into `surface` within its clip, device (0, 0) at its origin (GetDC and
// BeginPaint make one for a window). Deleted with delete_surface_dc.
HDC create_surface_dc(std::shared_ptr<platform::Surface> surface);
// False, deleting nothing, when `dc` is not a DC made by create_surface_dc.
bool delete_surface_dc(HDC dc);

// The surface `dc` draws into, or null when it has no pixel to draw on: its owner dropped the
// surface (a destroyed window), its clip holds nothing (a hidden or zero-sized client area), or
// its bitmap is empty. Drawing marks the surface changed.
platform::Surface *dc_surface(const DeviceContext &dc);

// Fills the device rectangle `area` of `dc` with `brush` (PatBlt's fill; DefWindowProc's erasing
// uses it). False when the DC or the brush does not exist or the brush is NULL_BRUSH.
bool fill_rect(HDC dc, const platform::Rect &area, HBRUSH brush);

} // namespace gdi
