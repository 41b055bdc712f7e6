#include "bench/demo_frame.h"

#include "demo/demo.h"
#include "gfx/record_sink.h"
#include "platform/display/virtual/virtual_display.h"
#include "platform/gdi/text/text.h"

#include <cstdio>
#include <cstdlib>

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

std::vector<Shape> *captured = nullptr;

void capture(const DrawRecord *record) {
    Shape shape = {*record, ""};
    shape.record.text = nullptr;
    if (record->shape == SHAPE_TEXT && record->text) {
        if (const char *text = static_cast<const char *>(GlobalLock(record->text)))
            shape.text = text;
        GlobalUnlock(record->text);
    }
    captured->push_back(shape);
}

} // namespace

void open_package(int screen_width, int screen_height) {
    virtual_display::install(screen_width, screen_height);
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

void draw_frame() {
    static const Bugs bugs = nine_bugs();
    int scene_phase = 0, scene_cycle = 0;
    draw_scene(scene_phase, scene_cycle);
    draw_panel(9 + count_active(bugs.active));
    draw_bugs(bugs.x, bugs.y, bugs.size, bugs.color, bugs.active);
}

std::vector<Shape> frame_shapes() {
    std::vector<Shape> shapes;
    captured = &shapes;
    gfx_record_sink = capture;
    draw_frame();
    gfx_record_sink = nullptr;
    captured = nullptr;
    return shapes;
}

} // namespace bench
