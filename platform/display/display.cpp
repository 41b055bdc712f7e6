// The display backend in use.
#include "platform/display/display.h"
#include "platform/win.h"

#include <cstdio>
#include <cstdlib>

namespace display {

namespace {
std::unique_ptr<Backend> &current() {
    static std::unique_ptr<Backend> backend;
    return backend;
}
} // namespace

Backend &backend() {
    if (!current()) {
        std::fprintf(stderr, "korva: no display backend installed\n");
        std::abort();
    }
    return *current();
}

void install(std::unique_ptr<Backend> backend) {
    current() = std::move(backend);
}

std::unique_ptr<Backend> take() {
    return std::move(current());
}

bool installed() {
    return current() != nullptr;
}

#ifndef __EMSCRIPTEN__ // the web display's own is in web/web_display.cpp
void wait_for_input(Time deadline) {
    backend().wait(deadline);
}
#endif

void add_ctrl_of_altgr(InputEvent &altgr, bool down, std::deque<InputEvent> &pending) {
    InputEvent ctrl = altgr;
    ctrl.virtual_key = VK_CONTROL;
    ctrl.scan_code = 0x1D;
    if (down) {
        pending.push_back(altgr);
        altgr = ctrl;
    } else {
        pending.push_back(ctrl);
    }
}

} // namespace display
