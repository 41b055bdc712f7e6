#include "fuzz/harness/demo_run.h"

#include "demo/demo.h"
#include "platform/win.h"
#include "tools/headless/keys.h"
#include "tools/headless/runner.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace harness {

namespace {
// Idle moments a demo may have after its window was closed: a quit takes one.
constexpr int CLOSE_GRACE = 100;
} // namespace

int run_demo(virtual_display::Display &display, IdleStep step) {
    bool closed = false;
    int idle_after_close = 0;
    display.set_idle_handler([&](display::Time deadline) {
        if (!closed) {
            if (step(display, deadline)) return;
            closed = true;
            if (int graphics = display.find_window(headless::GRAPHICS_TITLE)) {
                display.close(graphics);
                return;
            }
        }
        if (++idle_after_close > CLOSE_GRACE) {
            std::fprintf(stderr, "harness: the demo did not end after its window was closed\n");
            std::abort();
        }
    });
    char command_line[] = "";
    int result = demo_main(reinterpret_cast<HINSTANCE>(uintptr_t(0x400000)), nullptr, command_line,
                           SW_SHOWDEFAULT);
    display.set_idle_handler(nullptr);
    return result;
}

void press_keys(virtual_display::Display &display, const std::string &combination) {
    std::vector<headless::Key> keys;
    if (!headless::parse_combo(combination, keys)) {
        std::fprintf(stderr, "harness: no key combination %s\n", combination.c_str());
        std::abort();
    }
    headless::press(display, keys);
}

} // namespace harness
