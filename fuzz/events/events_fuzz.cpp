// Fuzz target: the demo driven by any sequence of input on the virtual display: clicks
// anywhere (the menu bar included), key presses with modifiers, typed characters, Run menu
// commands with any id, steps of the clock, focus changes, the text window closed or resized,
// other mouse buttons. The demo runs as its process entry runs it; when the input is used up its
// graphics window is closed, and the demo must then end.
#include "fuzz/harness/bytes.h"
#include "fuzz/harness/check.h"
#include "fuzz/harness/demo_run.h"
#include "fuzz/harness/fresh.h"
#include "gfx/state.h"
#include "tools/headless/keys.h"
#include "tools/headless/runner.h"

#include <cstdint>

namespace {

// Virtual time the clock steps may add up to per input: about thirty animation ticks. Idle
// moments without a step of their own move the clock to the next deadline as well.
constexpr display::Time CLOCK_BUDGET_MS = 3000;

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

    // One step of input at an idle moment; false when the input is used up.
    bool step(virtual_display::Display &display) {
        if (in.empty()) return false;
        int graphics = display.find_window(headless::GRAPHICS_TITLE);
        int text = display.find_window(headless::TEXT_TITLE);
        switch (in.byte() % 12) {
        case 0: { // anywhere on the window's content: menu bar rows, canvas, beyond both
            int x = in.in_range(-20, 620), y = in.in_range(-20, 540);
            display.click(graphics, x, y);
            break;
        }
        case 1: { // a canvas point, in the demo's coordinates: mostly the panel
            int x = in.in_range(-300, 300), y = in.in_range(-270, 270);
            display.click(graphics, origin_x + x, origin_y - y + GetSystemMetrics(SM_CYMENU));
            break;
        }
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
        case 9: display.resize(text, in.in_range(0, 2000), in.in_range(0, 1200)); break;
        case 10: display.click(text, in.in_range(-10, 700), in.in_range(-10, 300)); break;
        case 11: display.expose(in.byte() & 1 ? text : graphics); break;
        }
        return true;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    virtual_display::Display &display = harness::fresh_start();
    harness::LogCapture log;
    Driver driver{harness::Bytes(data, size)};
    int result = harness::run_demo(
        display, [&](virtual_display::Display &d, display::Time) { return driver.step(d); });
    HARNESS_CHECK(result == 0, "the demo returned %d", result);
    harness::finish();
    return 0;
}
