#include "bench/demo_frame.h"

#include "demo/demo.h"
#include "platform/display/virtual/virtual_display.h"
#include "platform/gdi/text/text.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace bench {

namespace {

struct Bugs {
    int x[MAX_BUGS], y[MAX_BUGS], size[MAX_BUGS], color[MAX_BUGS], active[MAX_BUGS];
};

// Sizes 22 to 6, spread from the right edge leftwards, some in mid-hop.
Bugs nine_bugs() {
    static const int colors[MAX_BUGS] = {RED,   BLUE,  PURPLE, ORANGE, GOLD,
                                         PEACH, OLIVE, PINK,   GRAY_50};
    Bugs bugs;
    for (int i = 0; i < MAX_BUGS; i++) {
        bugs.size[i] = 22 - 2 * i;
        bugs.color[i] = colors[i];
        bugs.active[i] = 1;
        bugs.x[i] = wrap_position(bugs.size[i]) - 65 * i;
        bugs.y[i] = BUG_GROUND_Y + (i % 3 == 1 ? 25 : 0);
    }
    return bugs;
}

} // namespace

namespace {

void open_with_fonts() {
    std::string error;
    if (!text::init(error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        std::exit(1);
    }
    char command_line[] = "";
    gfx_open(nullptr, nullptr, command_line, SW_SHOWDEFAULT);
    gfx_logging(0);
    gfx_clear();
}

} // namespace

void open_package(int screen_width, int screen_height) {
    virtual_display::install(screen_width, screen_height);
    open_with_fonts();
}

void open_package_on(std::unique_ptr<display::Backend> backend) {
    display::install(std::move(backend));
    open_with_fonts();
}

void draw_frame(int phase) {
    draw_scene_part(phase);
    draw_panel_part();
    draw_bugs_part();
}

void draw_scene_part(int phase) {
    int scene_phase = phase, scene_cycle = 0;
    draw_scene(scene_phase, scene_cycle);
}

void draw_panel_part() {
    draw_panel(9 + MAX_BUGS);
}

void draw_bugs_part() {
    static const Bugs bugs = nine_bugs();
    draw_bugs(bugs.x, bugs.y, bugs.size, bugs.color, bugs.active);
}

} // namespace bench
