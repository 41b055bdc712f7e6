// The demo's frames: the demo's own scene, panel and bug functions run through the package's
// drawing calls, whose records are captured instead of painted.
#include "gfx/record_sink.h"
#include "tools/conformance/corpus.h"

#include "demo/demo.h"

namespace {

std::vector<CorpusRecord> *captured = nullptr;

const char *kind_of(const DrawRecord &r) {
    switch (r.shape) {
    case SHAPE_TRIANGLE: return "triangle";
    case SHAPE_RECTANGLE: return "rectangle";
    case SHAPE_OVAL: return r.width == 0 && r.x2 - r.x1 == r.y1 - r.y2 ? "circle" : "oval";
    case SHAPE_LINE: return "line";
    case SHAPE_PIXEL: return "pixel";
    default: return "text";
    }
}

void capture(const DrawRecord *record) {
    CorpusRecord entry = {*record, "", kind_of(*record)};
    entry.record.text = nullptr;
    if (record->shape == SHAPE_TEXT && record->text) {
        const char *text = static_cast<const char *>(GlobalLock(record->text));
        if (text) entry.text = text;
        GlobalUnlock(record->text);
    }
    captured->push_back(entry);
}

// Nine bugs, each in a state of its own: every speed class (standing, slow, fast enough to wrap
// several times in a cycle), gliding and hopping, moving and stopped, and positions spread
// over the scene.
struct Bugs {
    int x[MAX_BUGS], y[MAX_BUGS], size[MAX_BUGS], color[MAX_BUGS], active[MAX_BUGS];
    int moving[MAX_BUGS], hopping[MAX_BUGS], speed[MAX_BUGS], steps[MAX_BUGS];
};

Bugs varied_bugs() {
    static const int colors[MAX_BUGS] = {RED,   BLUE,  PURPLE, ORANGE, GOLD,
                                         PEACH, OLIVE, PINK,   GRAY_50};
    static const int speeds[MAX_BUGS] = {5, 0, 1, 13, 7, 40, 3, 25, 2};
    static const int hopping[MAX_BUGS] = {0, 1, 0, 1, 1, 0, 0, 1, 1};
    static const int moving[MAX_BUGS] = {1, 1, 1, 1, 0, 1, 1, 1, 1};
    static const int steps[MAX_BUGS] = {0, 3, 0, 7, 5, 0, 0, 9, 2};
    Bugs bugs;
    for (int i = 0; i < MAX_BUGS; i++) {
        bugs.size[i] = 22 - 2 * i;
        bugs.color[i] = colors[i];
        bugs.active[i] = 1;
        bugs.moving[i] = moving[i];
        bugs.hopping[i] = hopping[i];
        bugs.speed[i] = speeds[i];
        bugs.steps[i] = steps[i];
        // From the right edge leftwards, the last ones close to wrapping.
        bugs.x[i] = wrap_position(bugs.size[i]) - 65 * i;
        bugs.y[i] = BUG_GROUND_Y + (hopping[i] && i % 2 ? 25 : 0);
    }
    return bugs;
}

} // namespace

std::vector<std::vector<CorpusRecord>> demo_frames() {
    Bugs bugs = varied_bugs();
    int scene_phase = 0, scene_cycle = 0;
    unsigned char old_logging = logging_on;
    logging_on = 0;
    gfx_record_sink = capture;

    std::vector<std::vector<CorpusRecord>> frames(DEMO_FRAMES);
    for (int f = 0; f < DEMO_FRAMES; f++) {
        if (f > 0) {
            for (int i = 0; i < MAX_BUGS; i++)
                if (bugs.moving[i])
                    move_bug(bugs.x[i], bugs.y[i], bugs.steps[i], bugs.hopping[i], bugs.speed[i],
                             bugs.size[i]);
        }
        captured = &frames[size_t(f)];
        draw_scene(scene_phase, scene_cycle);
        draw_panel(9 + count_active(bugs.active));
        draw_bugs(bugs.x, bugs.y, bugs.size, bugs.color, bugs.active);
    }

    gfx_record_sink = nullptr;
    captured = nullptr;
    logging_on = old_logging;
    return frames;
}
