// The background scene: sky, water with two fish, a drifting shore, green ground, a sun with
// widening rings, a mountain range, a tulip, a flower and the instruction line. It is the first
// layer of every frame, and its sky covers the previous frame.
#include "demo/demo.h"

// scene_phase runs 0 to LAST_PHASE, then starts again and scene_cycle counts one more run.
constexpr int LAST_PHASE = 50;

struct Peak {
    int color;
    int x1, y1, x2, y2, x3, y3;
};

constexpr Peak PEAKS[] = {
    {WHITE, -275, 0, -175, 0, -200, 50}, {WHITE, 300, 0, 240, 0, 280, 30},
    {BLUE, 155, 0, 270, 0, 230, 80},     {WHITE, 100, 0, 180, 0, 165, 50},
    {BLUE, 10, 0, 145, 0, 80, 90},       {BLUE, -50, 60, -75, 0, 10, 0},
    {WHITE, -25, 0, 40, 0, 10, 50},      {WHITE, -50, 0, -120, 0, -75, 30},
    {BLUE, -200, 0, -100, 0, -150, 75},  {BLUE, -300, 0, -250, 0, -275, 30},
};

struct Point {
    int x, y;
};

constexpr Point FLOWER_PETALS[] = {{-200, 65}, {-185, 58}, {-190, 45}, {-210, 45}, {-215, 58}};

// Two fish swim leftward through the water; the orange one opens its mouth every fifth phase.
static void draw_fish(int phase) {
    const int f = 300 - 16 * phase; // yellow fish's head
    gfx_circle(YELLOW, f, -235, 5);
    gfx_triangle(YELLOW, f, -240, f, -230, f + 10, -235, 0);
    gfx_triangle(YELLOW, f + 10, -235, f + 15, -230, f + 15, -240, 0);

    const int g = 400 - 18 * phase; // orange fish's head
    gfx_circle(ORANGE, g, -235, 7);
    gfx_triangle(ORANGE, g, -242, g, -228, g + 15, -235, 0);
    gfx_triangle(ORANGE, g + 15, -235, g + 22, -228, g + 22, -242, 0);
    if (phase % 5 == 0) {
        gfx_triangle(BLUE, g, -235, g - 7, -242, g - 7, -228, 0); // water-coloured mouth
    }
}

static void draw_tulip() {
    gfx_circle(MAGENTA, 180, 100, 40);
    gfx_rectangle(MAGENTA, 220, 100, 140, 140, 0);
    gfx_triangle(MAGENTA, 140, 160, 160, 140, 140, 140, 0);
    gfx_triangle(MAGENTA, 180, 160, 200, 140, 160, 140, 0);
    gfx_triangle(MAGENTA, 200, 140, 220, 160, 220, 140, 0);
    gfx_line(GREEN, 180, 60, 180, -100, 3);
    gfx_triangle(GREEN, 180, -100, 250, 40, 240, 50, 0);
    gfx_triangle(GREEN, 180, -100, 110, 40, 120, 50, 0);
}

static void draw_flower() {
    for (const Point &petal : FLOWER_PETALS) gfx_circle(DUSTY_PLUM, petal.x, petal.y, 10);
    gfx_circle(BLACK, -200, 54, 5);
    gfx_line(GREEN, -200, 40, -200, -50, 1);
    gfx_triangle(GREEN, -190, 5, -180, -5, -200, -50, 0);
    gfx_triangle(GREEN, -200, -50, -220, -5, -210, 5, 0);
}

void draw_scene(int &scene_phase, int &scene_cycle) {
    const int phase = scene_phase;

    gfx_rectangle(ICE_BLUE, -300, -250, 300, 250, 0); // sky
    gfx_rectangle(BLUE, -300, -200, 300, -250, 0);    // water

    // Shore: half-disks spaced 50 apart drift one unit right per phase; the ground below
    // covers their upper halves.
    for (int k = 0; k < 14; k++) gfx_circle(SEA_GREEN, phase - 350 + 50 * k, -200, 25);

    // The fish pass on every other run of the phase.
    if (scene_cycle % 2 == 0) draw_fish(phase);

    gfx_rectangle(SEA_GREEN, -300, 0, 300, -200, 0); // ground

    // Sun at (-50, 200); ring k has radius phase + 10 + 10k.
    gfx_circle(YELLOW, -50, 200, 20);
    for (int k = 0; k < 7; k++) {
        gfx_oval(YELLOW, phase + 10 * k - 40, phase + 10 * k + 210, -60 - phase - 10 * k,
                 190 - phase - 10 * k, 2);
    }

    for (const Peak &p : PEAKS) gfx_triangle(p.color, p.x1, p.y1, p.x2, p.y2, p.x3, p.y3, 0);

    draw_tulip();
    draw_flower();

    gfx_printf(BLACK, -285, -240, 12,
               "Click a number to choose bug, then click button to control the bug.");

    if (scene_phase >= LAST_PHASE) {
        scene_phase = 0;
        scene_cycle++;
    } else {
        scene_phase++;
    }
}
