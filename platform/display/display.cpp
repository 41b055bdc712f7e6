// The display backend in use.
#include "platform/display/display.h"

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

} // namespace display
