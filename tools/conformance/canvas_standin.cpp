// The canvas on the stand-in: a compatible bitmap, whose surface is read through the stand-in's
// object table. The fonts are loaded first, so that a missing font is an error message.
#include "tools/conformance/canvas.h"

#include "gfx/state.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/text/text.h"

bool open_canvas(std::string &error) {
    if (!text::init(error)) return false;
    canvas.dc = CreateCompatibleDC(nullptr);
    canvas.image = CreateCompatibleBitmap(canvas.dc, CANVAS_WIDTH, CANVAS_HEIGHT);
    SelectObject(canvas.dc, canvas.image);
    gdi::BitmapObject *bitmap = gdi::find_bitmap(canvas.image);
    if (!canvas.dc || !bitmap || bitmap->surface.width != CANVAS_WIDTH ||
        bitmap->surface.height != CANVAS_HEIGHT) {
        error = "cannot create a 601x540 bitmap in a memory DC";
        return false;
    }
    origin_x = CANVAS_ORIGIN_X;
    origin_y = CANVAS_ORIGIN_Y;
    return true;
}

void close_canvas() {
    DeleteDC(canvas.dc);
    DeleteObject(canvas.image);
    canvas = {nullptr, nullptr};
}

void fill_canvas(uint32_t pixel) {
    gdi::BitmapObject *bitmap = gdi::find_bitmap(canvas.image);
    if (bitmap) bitmap->surface.resize(bitmap->surface.width, bitmap->surface.height, pixel);
}

const uint32_t *canvas_pixels() {
    return gdi::find_bitmap(canvas.image)->surface.data();
}
