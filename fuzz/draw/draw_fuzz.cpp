// Fuzz target: the drawing calls with any colours, coordinates, sizes, widths, point sizes and
// texts, extremes and far-off shapes included, with logging switched on and off between them.
//
// Each input is a byte of flags, then up to MAX_CALLS calls, on the package opened once. Every
// call must cost time bounded by the canvas, whatever its shape: one that takes longer than
// CALL_BUDGET_MS, the input having used as much processor time, is reported. Checked besides
// memory safety: the canvas holds palette colours only, and the graphics window's content shows
// the same picture.
#include "fuzz/harness/bytes.h"
#include "fuzz/harness/check.h"
#include "fuzz/harness/opened.h"
#include "gfx/state.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/objects.h"
#include "tools/headless/runner.h"

#include <algorithm>
#include <bitset>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

namespace {

// Longer than the 1023 characters gfx_printf keeps.
constexpr size_t MAX_TEXT = 1500;
constexpr int MAX_CALLS = 32;
// Far more than the costliest call on the canvas takes in this build (a few milliseconds), far
// less than the fuzzer's timeout.
constexpr double CALL_BUDGET_MS = 500;
// Bit 0 of the first byte: logging may be switched on (the calls are then described).
constexpr uint8_t LOGGING_ALLOWED = 1;

// Calls by a byte: every shape twice as often as the rest, and ovals most, whose outlines have
// the most paths; clearing (which writes the whole canvas) and logging once in 16.
const int CALL_OF[16] = {0, 0, 1, 1, 2, 2, 3, 3, 3, 4, 4, 5, 6, 7, 8, 9};
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

double clock_ms(clockid_t clock) {
    timespec now;
    clock_gettime(clock, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Most values are read from one byte as the common case and from more as any integer
// otherwise, so that most calls are cheap and an input holds many. Bad values (colours outside
// the palette, negative sizes) each cost a logged line in the text window.

// A palette colour, or any integer.
int colour(harness::Bytes &in) {
    uint8_t choice = in.byte();
    if (choice < 240) return choice % NUM_COLORS;
    return in.integer();
}

// A radius, a pen width or a point size: 0 ... 48, or any integer.
int size_of(harness::Bytes &in) {
    uint8_t choice = in.byte();
    if (choice < 240) return choice % 49;
    return in.integer();
}

// Another corner: `from` moved by -48 ... 48, or by any integer (wrapping around as 32-bit
// integers do).
int beside(harness::Bytes &in, int from) {
    uint8_t choice = in.byte();
    int offset = choice < 240 ? int(choice % 97) - 48 : in.integer();
    return int(uint32_t(from) + uint32_t(offset));
}

// One call; returns its index in CALL_NAMES. Positions are anywhere, mostly on and around the
// canvas; sizes, widths and the other corners are mostly near.
int draw(harness::Bytes &in, bool logging_allowed) {
    // Arguments are read one by one: the order of evaluation of call arguments is unspecified.
    int color = colour(in);
    int x = in.integer(), y = in.integer();
    int call = CALL_OF[in.byte() % 16];
    switch (call) {
    case 0: {
        int radius = size_of(in);
        gfx_circle(color, x, y, radius);
        break;
    }
    case 1: {
        int x2 = beside(in, x), y2 = beside(in, y), x3 = beside(in, x), y3 = beside(in, y);
        int width = size_of(in);
        gfx_triangle(color, x, y, x2, y2, x3, y3, width);
        break;
    }
    case 2:
    case 3:
    case 4: {
        int x2 = beside(in, x), y2 = beside(in, y), width = size_of(in);
        if (call == 2) gfx_rectangle(color, x, y, x2, y2, width);
        if (call == 3) gfx_oval(color, x, y, x2, y2, width);
        if (call == 4) gfx_line(color, x, y, x2, y2, width);
        break;
    }
    case 5:
    case 6:
    case 7: {
        int size = size_of(in);
        int number = call == 7 ? in.integer() : 0;
        std::string text = in.text(MAX_TEXT);
        if (call == 5) gfx_text(color, x, y, size, text.c_str());
        if (call == 6) gfx_printf(color, x, y, size, "%s", text.c_str());
        if (call == 7) gfx_printf(color, x, y, size, "%d:%s", number, text.c_str());
        break;
    }
    case 8: gfx_clear(); break;
    case 9: gfx_logging(logging_allowed && (x & 1)); break;
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

// The row ids of the canvas and of the graphics window's content as the package was opened (a
// row whose id is the same holds the same pixels).
struct Opened {
    std::vector<platform::RowId> canvas_rows, window_rows;
};
Opened opened_pictures;

std::vector<platform::RowId> row_ids(const platform::Surface &surface) {
    std::vector<platform::RowId> ids(size_t(surface.height));
    for (int y = 0; y < surface.height; y++) ids[size_t(y)] = surface.row_id(y);
    return ids;
}

// Compared here rather than by memcmp, which the sanitizers check and trace on every call; the
// whole row first, in a loop without an exit that the compiler makes a vector loop.
HARNESS_UNTRACED size_t first_difference(const uint32_t *a, const uint32_t *b, size_t count) {
    uint32_t differs = 0;
    for (size_t x = 0; x < count; x++) differs |= a[x] ^ b[x];
    if (differs == 0) return count;
    size_t x = 0;
    while (a[x] == b[x]) x++;
    return x;
}

// The window's content, menu bar rows and client area, as the display is given it.
const platform::Surface &window_content() {
    const gdi::DeviceContext *dc = gdi::find_dc(window_dc);
    const platform::Surface *content = dc ? gdi::dc_surface(*dc) : nullptr;
    HARNESS_CHECK(content && content->width > 0, "the graphics window has no content");
    return *content;
}

// The canvas holds palette colours only, and the window shows the canvas: every row when the
// package is opened, later the rows whose ids on either are no longer those it was opened with.
HARNESS_UNTRACED void check_pictures(bool every_row) {
    const platform::Surface &canvas_surface = canvas_bitmap().surface;
    RECT client = {0, 0, 0, 0};
    GetClientRect(graphics_window, &client);
    const platform::Surface &window = window_content();
    int menu_rows = window.height - client.bottom;
    HARNESS_CHECK(menu_rows >= 0 && window.width == client.right, "the window has another size");
    HARNESS_CHECK(window.height == int(opened_pictures.window_rows.size()),
                  "the window has another height");

    const std::bitset<1 << 24> &in_palette = palette_pixels();
    const size_t width = size_t(std::min<int>(CANVAS_WIDTH, client.right));
    for (int y = 0; y < CANVAS_HEIGHT; y++) {
        const bool canvas_changed =
            every_row || canvas_surface.row_id(y) != opened_pictures.canvas_rows[size_t(y)];
        const uint32_t *row = canvas_surface.row(y);
        if (canvas_changed) {
            // Eight pixels at a time while they are all the colour last looked up.
            uint32_t known = platform::pixel_from_colorref(palette[0]);
            for (size_t x = 0; x < size_t(CANVAS_WIDTH); x++) {
                if (x % 8 == 0 && x + 8 <= size_t(CANVAS_WIDTH)) {
                    uint32_t differs = 0;
                    for (size_t k = 0; k < 8; k++) differs |= row[x + k] ^ known;
                    if (differs == 0) {
                        x += 7;
                        continue;
                    }
                }
                if (row[x] == known) continue;
                HARNESS_CHECK(row[x] <= 0xFFFFFF && in_palette[row[x]],
                              "canvas pixel (%zu, %d) is %06x, not a palette colour", x, y,
                              unsigned(row[x]));
                known = row[x];
            }
        }
        if (y >= client.bottom) continue;
        const int window_y = y + menu_rows;
        if (!canvas_changed &&
            window.row_id(window_y) == opened_pictures.window_rows[size_t(window_y)])
            continue;
        const uint32_t *window_row = window.row(window_y);
        size_t x = first_difference(row, window_row, width);
        HARNESS_CHECK(x == width, "the window shows (%zu, %d) as %06x, the canvas as %06x", x, y,
                      unsigned(window_row[x]), unsigned(row[x]));
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    harness::OpenedPackage opened;
    const platform::Surface &surface = canvas_bitmap().surface;
    opened_pictures.canvas_rows = row_ids(surface);
    opened_pictures.window_rows = row_ids(window_content());
    check_pictures(true);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    harness::OpenedPackage opened;
    // The window's content is checked, not copies of it as presented.
    opened.display.set_keep_pictures(false);
    harness::Bytes in(data, size);
    bool logging_allowed = in.byte() & LOGGING_ALLOWED;
    // Each call is timed by the monotonic clock, which costs no system call; one that takes
    // longer is reported when the input's processor time confirms it (a loaded machine).
    const double input_cpu = clock_ms(CLOCK_THREAD_CPUTIME_ID);
    for (int i = 0; i < MAX_CALLS && !in.empty(); i++) {
        double start = clock_ms(CLOCK_MONOTONIC);
        int call = draw(in, logging_allowed);
        double spent = clock_ms(CLOCK_MONOTONIC) - start;
        if (spent < CALL_BUDGET_MS) continue;
        double cpu = clock_ms(CLOCK_THREAD_CPUTIME_ID) - input_cpu;
        HARNESS_CHECK(cpu < CALL_BUDGET_MS,
                      "call %d (%s) took %.0f ms (the input %.0f ms of processor time)", i,
                      CALL_NAMES[call], spent, cpu);
    }

    // The canvas reaches the window at the next pump, and the window is presented.
    while (pump_message()) {
    }
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);

    check_pictures(false);
    return 0;
}
