// Fuzz target: the drawing calls with any colours, coordinates, sizes, widths, point sizes and
// texts, extremes and far-off shapes included, with logging switched on and off between them.
//
// Each input is a byte of flags, then up to MAX_CALLS calls, on the package opened once. Every
// call must cost time bounded by the canvas, whatever its shape: one that takes longer than
// CALL_BUDGET_MS of processor time is reported. Checked besides memory safety: the canvas holds
// palette colours only, and shown on the window it is the same picture.
#include "fuzz/harness/bytes.h"
#include "fuzz/harness/check.h"
#include "fuzz/harness/opened.h"
#include "gfx/state.h"
#include "platform/gdi/objects.h"
#include "tools/headless/runner.h"

#include <algorithm>
#include <bitset>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

namespace {

// Longer than the 1023 characters gfx_printf keeps.
constexpr size_t MAX_TEXT = 1500;
constexpr int MAX_CALLS = 64;
// Far more than the costliest call on the canvas takes in this build (a few milliseconds), far
// less than the fuzzer's timeout.
constexpr double CALL_BUDGET_MS = 500;
// Bit 0 of the first byte: logging may be switched on (the calls are then described).
constexpr uint8_t LOGGING_ALLOWED = 1;

const char *const CALL_NAMES[] = {"gfx_circle", "gfx_triangle", "gfx_rectangle", "gfx_oval",
                                  "gfx_line",   "gfx_text",     "gfx_printf",    "gfx_printf",
                                  "gfx_clear",  "gfx_logging"};

// Every palette colour as a surface pixel, one bit per 24-bit value.
const std::bitset<1 << 24> &palette_pixels() {
    static const std::unique_ptr<std::bitset<1 << 24>> pixels = [] {
        auto set = std::make_unique<std::bitset<1 << 24>>();
        for (COLORREF c : palette) set->set(platform::pixel_from_colorref(c));
        return set;
    }();
    return *pixels;
}

double thread_cpu_ms() {
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// One call; returns its index in CALL_NAMES.
int draw(harness::Bytes &in, bool logging_allowed) {
    // Arguments are read one by one: the order of evaluation of call arguments is unspecified.
    int color = in.integer();
    int a = in.integer(), b = in.integer(), c = in.integer(), d = in.integer();
    int call = in.byte() % 10;
    switch (call) {
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
    case 9: gfx_logging(logging_allowed && (a & 1)); break;
    }
    return call;
}

const gdi::BitmapObject &canvas_bitmap() {
    const gdi::BitmapObject *image = gdi::find_bitmap(canvas.image);
    HARNESS_CHECK(image && image->surface.width == CANVAS_WIDTH &&
                      image->surface.height == CANVAS_HEIGHT,
                  "the canvas is gone or resized");
    return *image;
}

std::vector<uint32_t> opened_canvas;
struct {
    uint64_t canvas = 0, window = 0;
} opened_revisions;

// The canvas holds palette colours only (looked at in the rows that differ from the canvas as
// opened), and the window shows the canvas.
HARNESS_UNTRACED void check_pictures(virtual_display::Display &display,
                                     const std::vector<uint32_t> &opened) {
    const platform::Surface &canvas_surface = canvas_bitmap().surface;
    const virtual_display::Window *shown =
        display.window(display.find_window(headless::GRAPHICS_TITLE));
    HARNESS_CHECK(shown && shown->presented.width > 0, "the graphics window was never shown");
    // Neither changed: the pictures are those checked when the package was opened.
    if (canvas_surface.revision() == opened_revisions.canvas &&
        shown->presented.revision() == opened_revisions.window)
        return;
    const uint32_t *pixels = canvas_surface.data();
    const std::bitset<1 << 24> &in_palette = palette_pixels();
    for (size_t y = 0; y < size_t(CANVAS_HEIGHT); y++) {
        const uint32_t *row = pixels + y * CANVAS_WIDTH;
        if (std::memcmp(row, opened.data() + y * CANVAS_WIDTH, CANVAS_WIDTH * 4) == 0) continue;
        uint32_t known = opened[0]; // a palette colour
        for (size_t x = 0; x < size_t(CANVAS_WIDTH); x++) {
            if (row[x] == known) continue;
            HARNESS_CHECK(row[x] <= 0xFFFFFF && in_palette[row[x]],
                          "canvas pixel (%zu, %zu) is %06x, not a palette colour", x, y,
                          unsigned(row[x]));
            known = row[x];
        }
    }

    RECT client = {0, 0, 0, 0};
    GetClientRect(graphics_window, &client);
    const platform::Surface &window = shown->presented;
    int menu_rows = window.height - client.bottom;
    HARNESS_CHECK(menu_rows >= 0 && window.width == client.right, "the window has another size");
    size_t width = size_t(std::min<int>(CANVAS_WIDTH, client.right));
    for (int y = 0; y < std::min<int>(CANVAS_HEIGHT, client.bottom); y++) {
        const uint32_t *canvas_row = pixels + size_t(y) * CANVAS_WIDTH;
        const uint32_t *window_row = window.row(y + menu_rows);
        if (std::memcmp(canvas_row, window_row, width * 4) == 0) continue;
        size_t x = 0;
        while (canvas_row[x] == window_row[x]) x++;
        HARNESS_CHECK(false, "the window shows (%zu, %d) as %06x, the canvas as %06x", x, y,
                      unsigned(window_row[x]), unsigned(canvas_row[x]));
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    harness::OpenedPackage opened;
    const platform::Surface &surface = canvas_bitmap().surface;
    opened_canvas.assign(surface.data(), surface.data() + size_t(CANVAS_WIDTH) * CANVAS_HEIGHT);
    opened_revisions.canvas = surface.revision();
    opened_revisions.window =
        opened.display.window(opened.display.find_window(headless::GRAPHICS_TITLE))
            ->presented.revision();
    palette_pixels();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    harness::OpenedPackage opened;
    harness::Bytes in(data, size);
    bool logging_allowed = in.byte() & LOGGING_ALLOWED;
    for (int i = 0; i < MAX_CALLS && !in.empty(); i++) {
        double start = thread_cpu_ms();
        int call = draw(in, logging_allowed);
        double spent = thread_cpu_ms() - start;
        HARNESS_CHECK(spent < CALL_BUDGET_MS, "call %d (%s) took %.0f ms of processor time", i,
                      CALL_NAMES[call], spent);
    }

    // The canvas reaches the window at the next pump, and the window is presented.
    while (pump_message()) {
    }
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);

    check_pictures(opened.display, opened_canvas);
    return 0;
}
