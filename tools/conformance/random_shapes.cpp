// The seeded random shapes: every kind, every pen width from 0 to 5, in size classes from
// nothing to far beyond the canvas, including degenerate, reversed and partly off-canvas ones.
#include "tools/conformance/corpus.h"
#include "tools/conformance/prng.h"

#include <cstdlib>

namespace {

enum SizeClass { SIZE_TINY, SIZE_SMALL, SIZE_MEDIUM, SIZE_LARGE, SIZE_DEGENERATE };

// Logical coordinates: the canvas spans x -297 .. 303 and y -299 .. 240; anchors reach a little
// beyond it, so that many shapes are cut by an edge.
constexpr int ANCHOR_X = 330;
constexpr int ANCHOR_Y = 300;
// Large shapes: every coordinate within +-5,000 (Wine's cost grows with a shape's size).
constexpr int FAR_REACH = 5000;

SizeClass size_class(Prng &prng) {
    int roll = prng.between(0, 99);
    if (roll < 20) return SIZE_TINY;
    if (roll < 50) return SIZE_SMALL;
    if (roll < 75) return SIZE_MEDIUM;
    if (roll < 88) return SIZE_LARGE;
    return SIZE_DEGENERATE;
}

int extent(Prng &prng, SizeClass size) {
    switch (size) {
    case SIZE_TINY: return prng.between(0, 4);
    case SIZE_SMALL: return prng.between(0, 40);
    case SIZE_MEDIUM: return prng.between(0, 400);
    default: return 0;
    }
}

struct Point {
    int x, y;
};

// A point near `from`, or anywhere within +-FAR_REACH for large shapes.
Point point_near(Prng &prng, Point from, SizeClass size) {
    if (size == SIZE_LARGE)
        return {prng.between(-FAR_REACH, FAR_REACH), prng.between(-FAR_REACH, FAR_REACH)};
    int reach = extent(prng, size);
    return {from.x + prng.between(-reach, reach), from.y + prng.between(-reach, reach)};
}

Point anchor(Prng &prng) {
    return {prng.between(-ANCHOR_X, ANCHOR_X), prng.between(-ANCHOR_Y, ANCHOR_Y)};
}

// Mostly palette colours; now and then one outside the palette, which renders as red.
int color(Prng &prng) {
    if (prng.chance(3)) return prng.chance(50) ? NUM_COLORS + prng.between(0, 100) : -1;
    return prng.between(0, NUM_COLORS - 1);
}

CorpusRecord box(Prng &prng, int shape, const char *kind) {
    SizeClass size = size_class(prng);
    Point a = anchor(prng);
    Point b = point_near(prng, a, size);
    if (size == SIZE_DEGENERATE) {
        // Zero width, zero height, or both; or a box one pixel thick and long.
        int form = prng.between(0, 3);
        b = a;
        if (form == 1) b.x += prng.between(-300, 300);
        if (form == 2) b.y += prng.between(-300, 300);
        if (form == 3) {
            if (prng.chance(50))
                b.x = prng.between(-FAR_REACH, FAR_REACH);
            else
                b.y = prng.between(-FAR_REACH, FAR_REACH);
            a.x += prng.chance(50) ? 1 : 0;
        }
    }
    // The drawing calls hand over upper-left and lower-right corners; records in any order
    // reach GDI too (a quarter of them reversed).
    int x1 = a.x < b.x ? a.x : b.x, x2 = a.x < b.x ? b.x : a.x;
    int y1 = a.y > b.y ? a.y : b.y, y2 = a.y > b.y ? b.y : a.y;
    if (prng.chance(25)) std::swap(x1, x2);
    if (prng.chance(25)) std::swap(y1, y2);
    int width = prng.between(0, 5);
    return {{shape, color(prng), width, x1, y1, x2, y2, 0, 0, nullptr}, "", kind};
}

// A circle as gfx_circle records it: the box of radius r around the centre, filled; some are
// drawn as square outlines instead, as gfx_oval would with a square box.
CorpusRecord circle(Prng &prng) {
    SizeClass size = size_class(prng);
    Point c = anchor(prng);
    int radius = size == SIZE_DEGENERATE ? 0 : extent(prng, size);
    if (size == SIZE_LARGE) {
        // The whole box within +-FAR_REACH.
        radius = prng.between(0, FAR_REACH);
        c = {prng.between(radius - FAR_REACH, FAR_REACH - radius),
             prng.between(radius - FAR_REACH, FAR_REACH - radius)};
    }
    int width = prng.chance(70) ? 0 : prng.between(1, 5);
    return {{SHAPE_OVAL, color(prng), width, c.x - radius, c.y + radius, c.x + radius, c.y - radius,
             0, 0, nullptr},
            "",
            "circle"};
}

CorpusRecord triangle(Prng &prng) {
    SizeClass size = size_class(prng);
    Point a = anchor(prng);
    Point b = point_near(prng, a, size);
    Point c = point_near(prng, a, size);
    if (size == SIZE_DEGENERATE) {
        // All three points equal, two equal, or all on one line.
        int form = prng.between(0, 2);
        if (form == 0) b = c = a;
        if (form == 1) c = b;
        if (form == 2) {
            int dx = prng.between(-40, 40), dy = prng.between(-40, 40);
            b = {a.x + dx, a.y + dy};
            int k = prng.between(-5, 5);
            c = {a.x + k * dx, a.y + k * dy};
        }
    }
    return {
        {SHAPE_TRIANGLE, color(prng), prng.between(0, 5), a.x, a.y, b.x, b.y, c.x, c.y, nullptr},
        "",
        "triangle"};
}

CorpusRecord line(Prng &prng) {
    SizeClass size = size_class(prng);
    Point a = anchor(prng);
    Point b = size == SIZE_DEGENERATE ? a : point_near(prng, a, size);
    // Axis-parallel and diagonal lines come up more often than chance would make them.
    int form = prng.between(0, 9);
    if (form == 0) b.y = a.y;
    if (form == 1) b.x = a.x;
    if (form == 2) {
        // A diagonal: as far along y as along x, cut short to stay within reach.
        int run = b.x - a.x;
        int reach = FAR_REACH - std::abs(a.y);
        if (run > reach) run = reach;
        if (run < -reach) run = -reach;
        b.x = a.x + run;
        b.y = a.y + run * (prng.chance(50) ? 1 : -1);
    }
    return {{SHAPE_LINE, color(prng), prng.between(0, 5), a.x, a.y, b.x, b.y, 0, 0, nullptr},
            "",
            "line"};
}

CorpusRecord pixel(Prng &prng) {
    Point a = anchor(prng);
    return {{SHAPE_PIXEL, color(prng), 0, a.x, a.y, 0, 0, 0, 0, nullptr}, "", "pixel"};
}

} // namespace

std::vector<CorpusRecord> random_shapes(uint64_t seed, int count) {
    Prng prng = {seed};
    std::vector<CorpusRecord> shapes;
    shapes.reserve(size_t(count));
    for (int i = 0; i < count; i++) {
        int roll = prng.between(0, 99);
        if (roll < 22)
            shapes.push_back(box(prng, SHAPE_RECTANGLE, "rectangle"));
        else if (roll < 44)
            shapes.push_back(box(prng, SHAPE_OVAL, "oval"));
        else if (roll < 58)
            shapes.push_back(circle(prng));
        else if (roll < 78)
            shapes.push_back(triangle(prng));
        else if (roll < 98)
            shapes.push_back(line(prng));
        else
            shapes.push_back(pixel(prng));
    }
    return shapes;
}
