// The rasterizer's cost: a whole frame of the bug demo's shapes on its 601x540 canvas, its
// parts, and shapes far larger than the canvas.
#include "platform/gdi/raster/raster.h"

#include <benchmark/benchmark.h>

#include <climits>
#include <vector>

namespace {

using raster::Brush;
using raster::Pen;
using raster::Point;

constexpr int WIDTH = 601, HEIGHT = 540;

// Draws in canvas coordinates (origin in the middle, y up) as the graphics package does: boxes
// include both corners, width 0 fills with a one-pixel pen of the same colour.
struct Picture {
    platform::Surface target;
    Picture() { target.resize(WIDTH, HEIGHT, 0xFFFFFF); }
    static int dx(int x) { return 300 + x; }
    static int dy(int y) { return 270 - y; }
    void box(bool oval, uint32_t c, int x1, int y1, int x2, int y2, int w) {
        Pen pen{false, w, c};
        Brush brush{w != 0, c};
        if (oval)
            raster::ellipse(target, dx(x1), dy(y1), dx(x2) + 1, dy(y2) + 1, pen, brush);
        else
            raster::rectangle(target, dx(x1), dy(y1), dx(x2) + 1, dy(y2) + 1, pen, brush);
    }
    void circle(uint32_t c, int x, int y, int r) { box(true, c, x - r, y + r, x + r, y - r, 0); }
    void rect(uint32_t c, int x1, int y1, int x2, int y2, int w) {
        box(false, c, x1, y1, x2, y2, w);
    }
    void oval(uint32_t c, int x1, int y1, int x2, int y2, int w) {
        box(true, c, x1, y1, x2, y2, w);
    }
    void triangle(uint32_t c, int x1, int y1, int x2, int y2, int x3, int y3) {
        const Point p[3] = {{dx(x1), dy(y1)}, {dx(x2), dy(y2)}, {dx(x3), dy(y3)}};
        raster::polygon(target, p, 3, Pen{false, 0, c}, Brush{false, c});
    }
    void line(uint32_t c, int x1, int y1, int x2, int y2, int w) {
        raster::line(target, dx(x1), dy(y1), dx(x2), dy(y2), Pen{false, w, c});
    }
};

void background(Picture &g) {
    g.rect(1, -300, -250, 300, 250, 0);
    g.rect(2, -300, -200, 300, -250, 0);
}

void sun_rings(Picture &g, int phase) {
    for (int k = 0; k < 7; k++)
        g.oval(4, phase + 10 * k - 40, phase + 10 * k + 210, -60 - phase - 10 * k,
               190 - phase - 10 * k, 2);
}

void scenery(Picture &g, int phase) {
    for (int k = 0; k < 14; k++) g.circle(3, phase - 350 + 50 * k, -200, 25);
    const int f = 300 - 16 * phase, o = 400 - 18 * phase;
    g.circle(4, f, -235, 5);
    g.triangle(4, f, -240, f, -230, f + 10, -235);
    g.triangle(4, f + 10, -235, f + 15, -230, f + 15, -240);
    g.circle(5, o, -235, 7);
    g.triangle(5, o, -242, o, -228, o + 15, -235);
    g.triangle(5, o + 15, -235, o + 22, -228, o + 22, -242);
    g.circle(4, -50, 200, 20);
    sun_rings(g, phase);
    const int peaks[10][7] = {{6, -275, 0, -175, 0, -200, 50}, {6, 300, 0, 240, 0, 280, 30},
                              {2, 155, 0, 270, 0, 230, 80},    {6, 100, 0, 180, 0, 165, 50},
                              {2, 10, 0, 145, 0, 80, 90},      {2, -50, 60, -75, 0, 10, 0},
                              {6, -25, 0, 40, 0, 10, 50},      {6, -50, 0, -120, 0, -75, 30},
                              {2, -200, 0, -100, 0, -150, 75}, {2, -300, 0, -250, 0, -275, 30}};
    for (const auto &p : peaks) g.triangle(uint32_t(p[0]), p[1], p[2], p[3], p[4], p[5], p[6]);
    g.circle(7, 180, 100, 40);
    g.rect(7, 220, 100, 140, 140, 0);
    g.triangle(7, 140, 160, 160, 140, 140, 140);
    g.triangle(7, 180, 160, 200, 140, 160, 140);
    g.triangle(7, 200, 140, 220, 160, 220, 140);
    g.line(8, 180, 60, 180, -100, 3);
    g.triangle(8, 180, -100, 250, 40, 240, 50);
    g.triangle(8, 180, -100, 110, 40, 120, 50);
    const int petals[5][2] = {{-200, 65}, {-185, 58}, {-190, 45}, {-210, 45}, {-215, 58}};
    for (const auto &p : petals) g.circle(9, p[0], p[1], 10);
    g.circle(0, -200, 54, 5);
    g.line(8, -200, 40, -200, -50, 1);
    g.triangle(8, -190, 5, -180, -5, -200, -50);
    g.triangle(8, -200, -50, -220, -5, -210, 5);
}

void panel(Picture &g) {
    for (int r = 0; r < 9; r++) g.rect(0, -295, 245 - 25 * r, -220, 220 - 25 * r, 1);
    for (int i = 0; i < 9; i++) g.rect(0, 220, 245 - 25 * i, 295, 220 - 25 * i, 1);
}

void bug(Picture &g, int x, int y, int s, uint32_t c) {
    const int b = y + s * 9 / 2;
    g.circle(c, x, b, s);
    g.line(0, x, b + s, x, b + 5 * s / 3, 2);
    g.circle(0, x, b + 5 * s / 3, s / 4);
    g.circle(10, x - s / 2, b + s / 4, s / 3);
    g.circle(0, x - 3 * s / 8, b + s / 5, s / 4);
    g.rect(c, x - s / 4, b - 5 * s / 4, x + s / 4, b - 7 * s / 8, 0);
    g.circle(c, x, b - 23 * s / 12, 3 * s / 4);
    g.line(0, x, b - 31 * s / 12, x - s / 2, b - 13 * s / 4, 2);
    g.line(0, x - s / 2, b - 13 * s / 4, x + s / 4, b - 17 * s / 4, 2);
    g.circle(0, x + s / 4, b - 17 * s / 4, s / 6);
    g.line(0, x + s / 4, b - 31 * s / 12, x - s / 4, b - 13 * s / 4, 2);
    g.line(0, x - s / 4, b - 13 * s / 4, x + s / 2, b - 17 * s / 4, 2);
    g.circle(0, x + s / 2, b - 17 * s / 4, s / 6);
    g.line(0, x, b - 19 * s / 12, x - 4 * s / 3, b - 2 * s, 2);
    g.circle(0, x - 4 * s / 3, b - 2 * s, s / 6);
}

void bugs(Picture &g) {
    const int sizes[9] = {22, 20, 18, 16, 14, 12, 10, 8, 6};
    for (int i = 0; i < 9; i++) bug(g, 250 - 55 * i, -150, sizes[i], uint32_t(11 + i));
}

// About 210 shapes: the two background rectangles, the scenery with the rings at mid-size,
// the panel's outlines and nine bugs.
void BM_Frame(benchmark::State &state) {
    Picture g;
    for (auto _ : state) {
        background(g);
        scenery(g, 25);
        panel(g);
        bugs(g);
        benchmark::DoNotOptimize(g.target.data());
    }
}
BENCHMARK(BM_Frame);

void BM_FrameWithoutBackground(benchmark::State &state) {
    Picture g;
    for (auto _ : state) {
        scenery(g, 25);
        panel(g);
        bugs(g);
        benchmark::DoNotOptimize(g.target.data());
    }
}
BENCHMARK(BM_FrameWithoutBackground);

void BM_Background(benchmark::State &state) {
    Picture g;
    for (auto _ : state) {
        background(g);
        benchmark::DoNotOptimize(g.target.data());
    }
}
BENCHMARK(BM_Background);

// Seven two-pixel rings; phase 0 gives radii 10 to 70, 50 gives 60 to 120.
void BM_SunRings(benchmark::State &state) {
    Picture g;
    for (auto _ : state) {
        sun_rings(g, int(state.range(0)));
        benchmark::DoNotOptimize(g.target.data());
    }
}
BENCHMARK(BM_SunRings)->Arg(0)->Arg(25)->Arg(50);

void BM_Bugs(benchmark::State &state) {
    Picture g;
    for (auto _ : state) {
        bugs(g);
        benchmark::DoNotOptimize(g.target.data());
    }
}
BENCHMARK(BM_Bugs);

// A filled circle of radius 1,000,000 centred on the canvas: it covers every pixel.
void BM_HugeCircleCentred(benchmark::State &state) {
    Picture g;
    const int r = 1000000;
    for (auto _ : state) {
        raster::ellipse(g.target, 300 - r, 270 - r, 301 + r, 271 + r, Pen{false, 0, 3},
                        Brush{false, 3});
        benchmark::DoNotOptimize(g.target.data());
    }
}
BENCHMARK(BM_HugeCircleCentred);

// The same circle with its outline crossing the canvas, with a one- and a two-pixel pen.
void BM_HugeCircleEdge(benchmark::State &state) {
    Picture g;
    const int r = 1000000, x = -1600000 + 300, y = -1800000 + 270;
    const Pen pen{false, int(state.range(0)), 5};
    for (auto _ : state) {
        raster::ellipse(g.target, x, y, x + 2 * r + 1, y + 2 * r + 1, pen, Brush{false, 3});
        benchmark::DoNotOptimize(g.target.data());
    }
}
BENCHMARK(BM_HugeCircleEdge)->Arg(1)->Arg(2);

// Boxes and pens from one end of the coordinate range to the other.
void BM_ExtremeShapes(benchmark::State &state) {
    Picture g;
    const Point corners[3] = {{INT_MIN, INT_MIN}, {INT_MAX, 0}, {0, INT_MAX}};
    for (auto _ : state) {
        raster::ellipse(g.target, INT_MIN, INT_MIN, INT_MAX, INT_MAX, Pen{false, INT_MAX, 5},
                        Brush{false, 3});
        raster::rectangle(g.target, INT_MIN, INT_MIN, INT_MAX, INT_MAX, Pen{false, 7, 5},
                          Brush{false, 3});
        raster::polygon(g.target, corners, 3, Pen{false, 3, 5}, Brush{false, 3});
        raster::line(g.target, INT_MIN, INT_MIN, INT_MAX, INT_MAX - 5, Pen{false, 0, 5});
        benchmark::DoNotOptimize(g.target.data());
    }
}
BENCHMARK(BM_ExtremeShapes);

} // namespace
