// A recording stand-in for the graphics package: every call the demo makes is appended to
// gfx_calls, and gfx_await_event hands out gfx_events in order, then EVENT_QUIT.
#pragma once

#include <deque>
#include <ostream>
#include <string>
#include <vector>

#include "gfx/gfx.h"

// One call: its name, its arguments in order (handles and pointers as their addresses) and, for
// gfx_printf, the formatted text.
struct GfxCall {
    std::string name;
    std::vector<long long> args;
    std::string text = "";
    bool operator==(const GfxCall &) const = default;
};
std::ostream &operator<<(std::ostream &out, const GfxCall &call);

struct FakeEvent {
    int kind;
    int x = 0;
    int y = 0;
    char key = 0;
};

extern std::vector<GfxCall> gfx_calls;
extern std::deque<FakeEvent> gfx_events;

// Runs draw with an empty record and returns the calls it made.
template <typename Draw>
std::vector<GfxCall> record(Draw draw) {
    gfx_calls.clear();
    draw();
    return gfx_calls;
}
