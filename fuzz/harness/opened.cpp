#include "fuzz/harness/opened.h"

#include "fuzz/harness/fresh.h"
#include "gfx/state.h"
#include "platform/reset.h"

#include <memory>

namespace harness {

namespace {

struct Opened {
    virtual_display::Display *display = nullptr;
    std::unique_ptr<virtual_display::Display> saved;
};

Opened &opened() {
    static Opened state;
    return state;
}

virtual_display::Display &open_once() {
    Opened &o = opened();
    if (o.display) return *o.display;
    o.display = &fresh_start();
    char command_line[] = "";
    gfx_open(nullptr, nullptr, command_line, SW_SHOWDEFAULT);
    gfx_logging(0);
    while (pump_message()) {
    }
    // The window is presented when the queue is next polled.
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    save_package_state();
    platform::save();
    o.saved = std::make_unique<virtual_display::Display>(*o.display);
    return *o.display;
}

} // namespace

OpenedPackage::OpenedPackage() : display(open_once()) {}

OpenedPackage::~OpenedPackage() {
    restore_package_state();
    platform::restore();
    *opened().display = *opened().saved;
}

} // namespace harness
