// Fuzz target: the drawing calls with any colours, coordinates, sizes, widths, point sizes and
// texts, extremes and far-off shapes included, with logging switched on and off between them.
//
// Each input is a list of calls; every call must finish in time bounded by the canvas, whatever
// its shape (run with -timeout). Checked besides memory safety: the canvas holds palette colours
// only, and shown on the window it is the same picture.
#include "fuzz/harness/bytes.h"
#include "fuzz/harness/check.h"
#include "fuzz/harness/fresh.h"
#include "gfx/state.h"
#include "platform/gdi/objects.h"
#include "tools/headless/runner.h"

#include <algorithm>
#include <cstdint>

namespace {

// Longer than the 1023 characters gfx_printf keeps.
constexpr size_t MAX_TEXT = 1500;

HARNESS_UNTRACED bool in_palette(uint32_t pixel) {
    for (COLORREF c : palette) {
        uint32_t rgb = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
        if (pixel == rgb) return true;
    }
    return false;
}

void draw(harness::Bytes &in) {
    // Arguments are read one by one: the order of evaluation of call arguments is unspecified.
    int color = in.integer();
    int a = in.integer(), b = in.integer(), c = in.integer(), d = in.integer();
    switch (in.byte() % 10) {
    case 0: gfx_circle(color, a, b, c); break;
    case 1: {
        int e = in.integer(), f = in.integer(), width = in.integer();
        gfx_triangle(color, a, b, c, d, e, f, width);
        break;
    }
    case 2: gfx_rectangle(color, a, b, c, d, in.integer()); break;
    case 3: gfx_oval(color, a, b, c, d, in.integer()); break;
    case 4: gfx_line(color, a, b, c, d, in.integer()); break;
    case 5: gfx_text(color, a, b, c, in.text(MAX_TEXT).c_str()); break;
    case 6: gfx_printf(color, a, b, c, "%s", in.text(MAX_TEXT).c_str()); break;
    case 7: gfx_printf(color, a, b, c, "%d:%s", d, in.text(MAX_TEXT).c_str()); break;
    case 8: gfx_clear(); break;
    case 9: gfx_logging(a & 1); break;
    }
}

// The canvas holds palette colours only, and the window shows the canvas.
HARNESS_UNTRACED void check_pictures(virtual_display::Display &display) {
    const gdi::BitmapObject *image = gdi::find_bitmap(canvas.image);
    HARNESS_CHECK(image && image->surface.width == CANVAS_WIDTH &&
                      image->surface.height == CANVAS_HEIGHT,
                  "the canvas is gone or resized");
    const uint32_t *pixels = image->surface.data();
    for (size_t i = 0; i < size_t(CANVAS_WIDTH) * CANVAS_HEIGHT; i++)
        HARNESS_CHECK(in_palette(pixels[i]), "canvas pixel %zu is %06x, not a palette colour", i,
                      unsigned(pixels[i]));

    const virtual_display::Window *shown =
        display.window(display.find_window(headless::GRAPHICS_TITLE));
    HARNESS_CHECK(shown && shown->presented.width > 0, "the graphics window was never shown");
    RECT client = {0, 0, 0, 0};
    GetClientRect(graphics_window, &client);
    const platform::Surface &window = shown->presented;
    int menu_rows = window.height - client.bottom;
    HARNESS_CHECK(menu_rows >= 0 && window.width == client.right, "the window has another size");
    for (int y = 0; y < std::min<int>(CANVAS_HEIGHT, client.bottom); y++)
        for (int x = 0; x < std::min<int>(CANVAS_WIDTH, client.right); x++)
            HARNESS_CHECK(window.at(x, y + menu_rows) ==
                              pixels[size_t(y) * CANVAS_WIDTH + size_t(x)],
                          "the window shows (%d, %d) otherwise than the canvas", x, y);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    virtual_display::Display &display = harness::fresh_start();
    harness::LogCapture log;
    char command_line[] = "";
    gfx_open(nullptr, nullptr, command_line, SW_SHOWDEFAULT);
    while (pump_message()) {
    }

    harness::Bytes in(data, size);
    while (!in.empty()) draw(in);

    // The canvas reaches the window at the next pump, and the window is presented.
    while (pump_message()) {
    }
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);

    check_pictures(display);
    gfx_close();
    harness::finish();
    return 0;
}
