#include "fuzz/harness/opened.h"

#include "fuzz/harness/fresh.h"
#include "gfx/state.h"
#include "platform/reset.h"

#include <memory>

namespace harness {

void open_package() {
    char command_line[] = "";
    gfx_open(nullptr, nullptr, command_line, SW_SHOWDEFAULT);
    gfx_logging(0);
    while (pump_message()) {
    }
    // The window is presented when the queue is next polled.
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
}

namespace {

struct Opened {
    virtual_display::Display *display = nullptr;
    std::unique_ptr<virtual_display::Display> saved;
};

Opened &opened() {
    static Opened state;
    return state;
}

// Puts the kept state back, into a new copy of the kept display when another one was installed
// since (a test that started afresh in between).
void put_back() {
    Opened &o = opened();
    restore_package_state();
    platform::restore();
    if (display::installed() && &display::backend() == o.display) {
        *o.display = *o.saved;
        return;
    }
    auto copy = std::make_unique<virtual_display::Display>(*o.saved);
    o.display = copy.get();
    display::install(std::move(copy));
}

virtual_display::Display &open_once() {
    Opened &o = opened();
    if (o.display) {
        if (!display::installed() || &display::backend() != o.display) put_back();
        return *o.display;
    }
    o.display = &fresh_start();
    open_package();
    save_package_state();
    platform::save();
    o.saved = std::make_unique<virtual_display::Display>(*o.display);
    return *o.display;
}

} // namespace

OpenedPackage::OpenedPackage() : display(open_once()) {}

OpenedPackage::~OpenedPackage() {
    put_back();
}

} // namespace harness
