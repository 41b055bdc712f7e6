// Fuzz target: the package's event wait driven by any sequence of input on the virtual display:
// clicks anywhere (the menu bar included), key presses with modifiers, typed characters, Run
// menu commands with any id, steps of the clock, focus changes, the windows closed, resized or
// moved, other mouse buttons, and bursts: many clicks and keys within one tick, a due tick
// starved by input, keys while the menu is open. Recordings and playbacks use KORVA.SCR in
// memory, with faults when the input asks: memory blocks that cannot be had, a full disk, a
// read error.
//
// The program is a small client that draws one shape per event (the whole demo is run by the
// soak and the robustness tests). When the input is used up its graphics window is closed, and
// the client must then get EVENT_QUIT and end: gfx_close leaves no drawing context and no open
// script, the window is gone, and a recording, unless its disk was full, holds complete script
// lines only.
#include "fuzz/harness/bytes.h"
#include "fuzz/harness/check.h"
#include "fuzz/harness/demo_run.h"
#include "fuzz/harness/memory_script.h"
#include "fuzz/harness/opened.h"
#include "gfx/state.h"
#include "platform/kernel/global_memory.h"
#include "tools/headless/keys.h"
#include "tools/headless/runner.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <sstream>

namespace {

// Virtual time the clock steps may add up to per input: about thirty animation ticks. Idle
// moments without a step of their own move the clock to the next deadline as well.
constexpr display::Time CLOCK_BUDGET_MS = 3000;
// Idle moments a client may have after its window was closed: a quit takes one.
constexpr int CLOSE_GRACE = 100;

// Fault flags, in the first byte; the second says how much room the disk has, or where reads
// fail, in units of 8 bytes.
constexpr uint8_t NO_MEMORY_BLOCKS = 1; // every GlobalAlloc fails (log lines are not kept)
constexpr uint8_t DISK_FULL = 2;
constexpr uint8_t READ_ERROR = 4;

// Keys that matter to the package and the stand-in; any other code comes from a raw byte.
const int KEYS[] = {'A',      'F',        'H',      'L',        'O',        'P',     'Q',
                    'R',      'X',        '1',      VK_RETURN,  VK_ESCAPE,  VK_F10,  VK_F2,
                    VK_SPACE, VK_TAB,     VK_BACK,  VK_LEFT,    VK_RIGHT,   VK_UP,   VK_DOWN,
                    VK_MENU,  VK_CONTROL, VK_SHIFT, VK_CAPITAL, VK_NUMPAD1, VK_HOME, VK_DELETE};

int pick_key(harness::Bytes &in) {
    uint8_t choice = in.byte();
    if (choice < 200) return KEYS[choice % (sizeof KEYS / sizeof KEYS[0])];
    return in.byte();
}

void key_down(virtual_display::Display &display, int vk, bool repeat = false) {
    display.key_down(vk, headless::scan_code_of(vk), repeat);
}
void key_up(virtual_display::Display &display, int vk) {
    display.key_up(vk, headless::scan_code_of(vk));
}

// One key with modifiers: Shift, Ctrl, Alt as the low bits of `modifiers` ask, down in that
// order, up in reverse.
void press(virtual_display::Display &display, int vk, int modifiers, bool release) {
    const int MODIFIERS[] = {VK_SHIFT, VK_CONTROL, VK_MENU};
    for (int i = 0; i < 3; i++)
        if (modifiers & (1 << i)) key_down(display, MODIFIERS[i]);
    key_down(display, vk);
    if (modifiers & 8) key_down(display, vk, true); // auto-repeat
    if (!release) return;                           // keys may stay down
    key_up(display, vk);
    for (int i = 2; i >= 0; i--)
        if (modifiers & (1 << i)) key_up(display, MODIFIERS[i]);
}

struct Driver {
    harness::Bytes in;
    display::Time clock_left = CLOCK_BUDGET_MS;

    void click_canvas(virtual_display::Display &display, int graphics) {
        int x = in.in_range(-300, 300), y = in.in_range(-270, 270);
        display.click(graphics, origin_x + x, origin_y - y + GetSystemMetrics(SM_CYMENU));
    }

    // Many clicks and keys at once, all within one tick.
    void burst(virtual_display::Display &display, int graphics) {
        int count = 2 + in.byte() % 30;
        for (int i = 0; i < count; i++) {
            if (in.byte() & 1)
                click_canvas(display, graphics);
            else
                press(display, pick_key(in), in.byte() & 7, true);
        }
    }

    // One step of input at an idle moment; false when the input is used up.
    bool step(virtual_display::Display &display) {
        if (in.empty()) return false;
        int graphics = display.find_window(headless::GRAPHICS_TITLE);
        int text = display.find_window(headless::TEXT_TITLE);
        switch (in.byte() % 16) {
        case 0: { // anywhere on the window's content: menu bar rows, canvas, beyond both
            int x = in.in_range(-20, 620), y = in.in_range(-20, 540);
            display.click(graphics, x, y);
            break;
        }
        case 1: click_canvas(display, graphics); break; // mostly the panel
        case 2: {
            int vk = pick_key(in);
            int modifiers = in.byte();
            press(display, vk, modifiers, (modifiers & 16) == 0);
            break;
        }
        case 3: display.type(in.byte()); break;
        case 4: { // a menu command, as the menu sends it; mostly the Run menu's ids
            uint8_t choice = in.byte();
            WPARAM id = choice < 220 ? WPARAM(choice % 11) : WPARAM(in.u32());
            PostMessageA(graphics_window, WM_COMMAND, id, 0);
            display.expose(graphics); // wakes the wait without moving the clock
            break;
        }
        case 5: { // the clock moves on, possibly over several ticks at once
            display::Time step_ms = std::min<display::Time>(in.byte() * 10u, clock_left);
            clock_left -= step_ms;
            display.advance(step_ms);
            break;
        }
        case 6: display.focus(in.byte() & 1 ? text : graphics); break;
        case 7: display.close(text); break;
        case 8: { // the other buttons, and presses without releases
            int button = 1 + in.byte() % 3;
            int x = in.in_range(-20, 620), y = in.in_range(-20, 540);
            if (in.byte() & 1)
                display.mouse_down(graphics, x, y, button);
            else
                display.mouse_up(graphics, x, y, button);
            break;
        }
        case 9: display.resize(text, in.in_range(0, 800), in.in_range(0, 600)); break;
        case 10: display.click(text, in.in_range(-10, 700), in.in_range(-10, 300)); break;
        case 11: display.expose(in.byte() & 1 ? text : graphics); break;
        case 12: burst(display, graphics); break;
        case 13: { // a tick falls due while input keeps coming
            display::Time step_ms = std::min<display::Time>(100, clock_left);
            clock_left -= step_ms;
            display.advance(step_ms);
            burst(display, graphics);
            break;
        }
        case 14: { // the graphics window resized by its user, or moved
            if (in.byte() & 1) {
                display.resize(graphics, in.in_range(0, 800), in.in_range(0, 600));
            } else {
                MoveWindow(graphics_window, in.in_range(-700, 700), in.in_range(-500, 500), 601,
                           540, TRUE);
                display.expose(graphics);
            }
            break;
        }
        case 15: { // the menu opened, then keys while it is open
            press(display, in.byte() & 1 ? VK_F10 : 'R', in.byte() & 1 ? 0 : 4, true);
            int keys = 1 + in.byte() % 8;
            for (int i = 0; i < keys; i++) press(display, pick_key(in), 0, true);
            break;
        }
        }
        return true;
    }
};

// One shape for each event, as a program answers it.
void draw_for(int kind, int x, int y, char key, int events) {
    switch (kind) {
    case EVENT_MOUSE: gfx_circle(RED, x, y, 4); break;
    case EVENT_KBD: {
        char text[2] = {key ? key : '?', '\0'};
        gfx_text(BLACK, -290, 250, 12, text);
        break;
    }
    case EVENT_PERIODIC:
        gfx_line(BLUE, -300, events % 540 - 270, 300, events % 540 - 270, 1);
        break;
    default: gfx_rectangle(GREEN, -20, 20, 20, -20, 0); break;
    }
}

// Every line is one a recording writes.
bool complete_script(const std::string &content) {
    std::istringstream lines(content);
    std::string line;
    while (std::getline(lines, line)) {
        int a = 0, b = 0;
        char end[3] = {};
        bool known = std::sscanf(line.c_str(), "KORVA_MOUSE(%d, %d%2[);]", &a, &b, end) == 3 ||
                     std::sscanf(line.c_str(), "KORVA_KBD(%d%2[);]", &a, end) == 2 ||
                     std::sscanf(line.c_str(), "KORVA_PERIODIC(%d%2[);]", &a, end) == 2;
        if (!known || std::strcmp(end, ");") != 0) return false;
    }
    return content.empty() || content.back() == '\n';
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    harness::OpenedPackage opened;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    harness::MemoryScript script; // outlives the run, whose end closes the stream
    harness::OpenedPackage opened;
    virtual_display::Display &display = opened.display;
    // Nothing here looks at the pictures: frames are presented, not copied.
    display.set_keep_pictures(false);
    Driver driver{harness::Bytes(data, size)};
    uint8_t faults = driver.in.byte();
    size_t limit = size_t(driver.in.byte()) * 8;
    if (faults & DISK_FULL) script.writable = limit;
    if (faults & READ_ERROR) script.readable = limit;
    script.install();
    if (faults & NO_MEMORY_BLOCKS) kernel::fail_next_allocations(1 << 30);

    bool closed = false;
    int idle_after_close = 0;
    display.set_idle_handler([&](display::Time) {
        if (!closed) {
            if (driver.step(display)) return;
            closed = true;
            display.close(display.find_window(headless::GRAPHICS_TITLE));
            return;
        }
        HARNESS_CHECK(++idle_after_close <= CLOSE_GRACE,
                      "the wait went on idling after the window was closed");
    });

    gfx_animate(ANIMATE_RUN);
    int events = 0, kind = EVENT_NONE;
    do {
        int x = 0, y = 0;
        char key = 0;
        kind = gfx_await_event(x, y, key);
        HARNESS_CHECK(kind >= EVENT_MOUSE && kind <= EVENT_QUIT, "event kind %d", kind);
        draw_for(kind, x, y, key, events++);
    } while (kind != EVENT_QUIT);
    gfx_close();
    display.set_idle_handler(nullptr);

    HARNESS_CHECK(window_dc == nullptr && script_file == nullptr,
                  "gfx_close left the window's drawing context or the script open");
    if (closed) {
        HARNESS_CHECK(!IsWindow(graphics_window) &&
                          display.find_window(headless::GRAPHICS_TITLE) == 0,
                      "the quit came, and the graphics window is still there");
    }
    if (!(faults & DISK_FULL))
        HARNESS_CHECK(complete_script(script.content), "the recording holds: %s",
                      script.content.c_str());
    return 0;
}
