// The recording stand-in for the graphics package; see fake_gfx.h.
#include "fake_gfx.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>

std::vector<GfxCall> gfx_calls;
std::deque<FakeEvent> gfx_events;

std::ostream &operator<<(std::ostream &out, const GfxCall &call) {
    out << call.name << "(";
    for (size_t i = 0; i < call.args.size(); i++) out << (i ? ", " : "") << call.args[i];
    if (!call.text.empty()) out << ", \"" << call.text << "\"";
    return out << ")";
}

static int add(const char *name, std::vector<long long> args, std::string text = "") {
    gfx_calls.push_back({name, std::move(args), std::move(text)});
    return 1;
}

static long long address(const void *p) {
    return (long long)(intptr_t)p;
}

int gfx_open(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line, int show_mode) {
    return add("gfx_open",
               {address(instance), address(previous_instance), address(command_line), show_mode});
}
int gfx_close() {
    return add("gfx_close", {});
}
int gfx_logging(int on) {
    return add("gfx_logging", {on});
}
int gfx_clear() {
    return add("gfx_clear", {});
}
int gfx_animate(int mode) {
    return add("gfx_animate", {mode});
}

int gfx_circle(int color, int x, int y, int radius) {
    return add("gfx_circle", {color, x, y, radius});
}
int gfx_triangle(int color, int x1, int y1, int x2, int y2, int x3, int y3, int width) {
    return add("gfx_triangle", {color, x1, y1, x2, y2, x3, y3, width});
}
int gfx_rectangle(int color, int x1, int y1, int x2, int y2, int width) {
    return add("gfx_rectangle", {color, x1, y1, x2, y2, width});
}
int gfx_oval(int color, int x1, int y1, int x2, int y2, int width) {
    return add("gfx_oval", {color, x1, y1, x2, y2, width});
}
int gfx_line(int color, int x1, int y1, int x2, int y2, int width) {
    return add("gfx_line", {color, x1, y1, x2, y2, width});
}

int gfx_printf(int color, int x, int y, int point_size, const char *format, ...) {
    char text[1024];
    va_list args;
    va_start(args, format);
    int count = vsnprintf(text, sizeof text, format, args);
    va_end(args);
    add("gfx_printf", {color, x, y, point_size}, text);
    return count;
}

int gfx_await_event(int &x, int &y, char &key) {
    add("gfx_await_event", {});
    if (gfx_events.empty()) {
        // A demo that keeps waiting after the quit event would never end the test.
        static int quits = 0;
        if (++quits > 1000) {
            fprintf(stderr, "the demo went on waiting after EVENT_QUIT\n");
            abort();
        }
        x = 0;
        y = 0;
        key = 0;
        return EVENT_QUIT;
    }
    FakeEvent event = gfx_events.front();
    gfx_events.pop_front();
    x = event.x;
    y = event.y;
    key = event.key;
    return event.kind;
}
