// The canvas on Windows: a top-down 32-bit DIB section, whose pixels can be read in place.
#include "tools/conformance/canvas.h"

#include "gfx/state.h"

static uint32_t *bits = nullptr;

bool open_canvas(std::string &error) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = CANVAS_WIDTH;
    info.bmiHeader.biHeight = -CANVAS_HEIGHT;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *memory = nullptr;
    canvas.image = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    canvas.dc = CreateCompatibleDC(nullptr);
    if (!canvas.image || !canvas.dc || !memory) {
        error = "cannot create a 601x540 DIB section in a memory DC";
        return false;
    }
    SelectObject(canvas.dc, canvas.image);
    bits = static_cast<uint32_t *>(memory);
    origin_x = CANVAS_ORIGIN_X;
    origin_y = CANVAS_ORIGIN_Y;
    return true;
}

void close_canvas() {
    DeleteDC(canvas.dc);
    DeleteObject(canvas.image);
    canvas = {nullptr, nullptr};
    bits = nullptr;
}

void fill_canvas(uint32_t pixel) {
    GdiFlush();
    for (int i = 0; i < CANVAS_WIDTH * CANVAS_HEIGHT; i++) bits[i] = pixel;
}

const uint32_t *canvas_pixels() {
    GdiFlush();
    return bits;
}
