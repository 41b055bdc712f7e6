// The demo's frames: the demo's own scene, panel and bug functions run through the package's
// drawing calls, whose records are captured instead of painted.
#include "tools/conformance/corpus.h"
#include "tools/conformance/records.h"

#include "demo/demo.h"

namespace {

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
    std::vector<std::vector<CorpusRecord>> frames;
    for (int f = 0; f < DEMO_FRAMES; f++) {
        if (f > 0) {
            for (int i = 0; i < MAX_BUGS; i++)
                if (bugs.moving[i])
                    move_bug(bugs.x[i], bugs.y[i], bugs.steps[i], bugs.hopping[i], bugs.speed[i],
                             bugs.size[i]);
        }
        frames.push_back(capture_records([&] {
            draw_scene(scene_phase, scene_cycle);
            draw_panel(9 + count_active(bugs.active));
            draw_bugs(bugs.x, bugs.y, bugs.size, bugs.color, bugs.active);
        }));
    }
    logging_on = old_logging;
    return frames;
}
