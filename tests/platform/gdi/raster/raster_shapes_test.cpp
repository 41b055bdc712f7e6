// Lines and polygons against their literal rules; clipping that removes pixels but never moves
// them; coordinates at the ends of the 32-bit range; targets with nothing to draw on.
#include "pixel_map.h"
#include "reference_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace raster_test {
namespace {

using platform::Surface;
using raster::Brush;
using raster::Pen;
using raster::Point;

std::mt19937 &random_source() {
    static std::mt19937 random(12345);
    return random;
}
int random_int(int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(random_source());
}

TEST(Lines, MatchTheRuleStepByStepUnderRandomClips) {
    for (int k = 0; k < 3000; k++) {
        const Point64 p0{random_int(-60, 160), random_int(-60, 140)};
        const Point64 p1{random_int(-60, 160), random_int(-60, 140)};
        const int left = random_int(0, 60), top = random_int(0, 50);
        const int right = random_int(left, 100), bottom = random_int(top, 80);
        Image fast(100, 80), slow(100, 80);
        raster::line(fast.target(left, top, right, bottom), int32_t(p0.x), int32_t(p0.y),
                     int32_t(p1.x), int32_t(p1.y), Pen{false, 1, RED});
        reference_line(raster::clip_of(slow.target(left, top, right, bottom)), p0, p1, RED);
        ASSERT_TRUE(fast == slow) << p0.x << "," << p0.y << " to " << p1.x << "," << p1.y;
    }
}

TEST(Lines, FromEndToEndOfTheCoordinateRangeStayExact) {
    const std::vector<std::pair<Point64, Point64>> lines = {
        {{INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}},
        {{INT32_MAX, INT32_MIN}, {INT32_MIN, INT32_MAX}},
        {{INT32_MIN, -7}, {INT32_MAX, 93}},
        {{17, INT32_MIN}, {60, INT32_MAX}},
        {{INT32_MIN, INT32_MIN + 12345}, {INT32_MAX, INT32_MAX - 54321}},
        {{-1000000, -999999}, {1000000, 1000001}},
    };
    for (auto [p0, p1] : lines)
        for (int offset : {0, 40, -40}) {
            Image fast(100, 80), slow(100, 80);
            Surface &t = fast.target(0, 0, 100, 80, offset, -offset);
            raster::line(t, int32_t(p0.x), int32_t(p0.y), int32_t(p1.x), int32_t(p1.y),
                         Pen{false, 0, RED});
            const Point64 a{p0.x + offset, p0.y - offset}, b{p1.x + offset, p1.y - offset};
            reference_line(raster::clip_of(slow.target()), a, b, RED);
            EXPECT_TRUE(fast == slow) << p0.x << "," << p0.y << " to " << p1.x << "," << p1.y;
        }
}

std::vector<Point64> random_polygon(int corners, int lo, int hi) {
    std::vector<Point64> points;
    for (int k = 0; k < corners; k++) points.push_back({random_int(lo, hi), random_int(lo, hi)});
    return points;
}

void expect_fill(const std::vector<Point64> &points) {
    std::vector<Point> corners;
    for (Point64 p : points) corners.push_back({int32_t(p.x), int32_t(p.y)});
    Image fast(100, 80), slow(100, 80);
    raster::polygon(fast.target(), corners.data(), int(corners.size()), Pen{true, 1, 0},
                    Brush{false, BLUE});
    reference_fill(raster::clip_of(slow.target()), points, BLUE);
    std::string where;
    for (Point64 p : points) where += std::to_string(p.x) + "," + std::to_string(p.y) + " ";
    ASSERT_TRUE(fast == slow) << where << "\n" << show(fast) << "\n" << show(slow);
}

TEST(PolygonFill, MatchesTheCrossingRuleRowByRow) {
    for (int k = 0; k < 3000; k++) expect_fill(random_polygon(3 + k % 6, -20, 120));
    // Convex and concave shapes, spikes, shared vertices and horizontal edges.
    expect_fill({{10, 10}, {90, 10}, {90, 70}, {10, 70}});
    expect_fill({{50, 5}, {95, 40}, {50, 75}, {5, 40}});
    expect_fill({{10, 10}, {90, 10}, {50, 40}, {90, 70}, {10, 70}, {50, 40}});
    expect_fill({{10, 40}, {30, 10}, {30, 40}, {50, 10}, {50, 40}, {70, 10}, {70, 70}});
}

TEST(PolygonFill, HugeCoordinatesAreExact) {
    for (int k = 0; k < 400; k++) {
        std::vector<Point64> points = random_polygon(3 + k % 4, INT32_MIN, INT32_MAX);
        // Keep some corners near the target so that edges cross it at all angles.
        if (k % 2) points[0] = {random_int(0, 100), random_int(0, 80)};
        expect_fill(points);
    }
    expect_fill({{INT32_MIN, INT32_MIN},
                 {INT32_MAX, INT32_MIN},
                 {INT32_MAX, INT32_MAX},
                 {INT32_MIN, INT32_MAX}});
}

// Draws `shape` on a target clipped to windows of the image and compares each with the
// unclipped drawing: the same pixels inside the window, nothing outside.
void expect_clipping_keeps_pixels(const std::string &what,
                                  const std::function<void(Surface &)> &shape) {
    Image whole(90, 70);
    shape(whole.target());
    for (int left = 0; left < 90; left += 17)
        for (int top = 0; top < 70; top += 13) {
            const int right = std::min(90, left + 23), bottom = std::min(70, top + 19);
            Image part(90, 70);
            shape(part.target(left, top, right, bottom));
            for (int y = 0; y < 70; y++)
                for (int x = 0; x < 90; x++) {
                    bool inside = x >= left && x < right && y >= top && y < bottom;
                    ASSERT_EQ(part.at(x, y), inside ? whole.at(x, y) : WHITE)
                        << what << " window " << left << "," << top << " pixel " << x << "," << y;
                }
        }
}

// A filled shape's pen and brush usually share a colour; drawing the box in one pass must cover
// exactly what the two parts cover, for every size (a 1x1 box draws nothing), every alignment
// and span length (short spans and long ones are filled differently), and under clipping.
TEST(RectangleFill, OnePenAndBrushColourCoverExactlyThePenAndBrushPixels) {
    for (int width = 0; width <= 70; width += (width < 12 ? 1 : 7))
        for (int height = 0; height <= 6; height++)
            for (int left = -3; left <= 4; left++)
                for (int clip = 0; clip < 2; clip++) {
                    Image two(90, 12), one(90, 12);
                    const int cl = clip ? 2 : 0, cr = clip ? 60 : 90;
                    raster::rectangle(two.target(cl, 0, cr, 12), left, 3, left + width, 3 + height,
                                      Pen{false, 1, RED}, Brush{false, BLUE});
                    raster::rectangle(one.target(cl, 0, cr, 12), left, 3, left + width, 3 + height,
                                      Pen{false, 1, RED}, Brush{false, RED});
                    two.replace(BLUE, RED);
                    ASSERT_EQ(one, two)
                        << width << "x" << height << " at " << left << " clip " << clip << "\n"
                        << show(one) << "\n"
                        << show(two);
                }
}

TEST(Clipping, RemovesPixelsButNeverMovesThem) {
    const Pen pens[] = {Pen{false, 1, RED}, Pen{false, 2, RED}, Pen{false, 3, RED},
                        Pen{false, 6, RED}, Pen{true, 1, 0}};
    for (const Pen &pen : pens) {
        const std::string name = pen.null ? "null pen" : "pen " + std::to_string(pen.width);
        const Brush brush{false, BLUE};
        expect_clipping_keeps_pixels("rectangle, " + name, [&](Surface &t) {
            raster::rectangle(t, -5, 7, 61, 66, pen, brush);
        });
        expect_clipping_keeps_pixels(
            "ellipse, " + name, [&](Surface &t) { raster::ellipse(t, -9, 3, 80, 61, pen, brush); });
        expect_clipping_keeps_pixels("polygon, " + name, [&](Surface &t) {
            const Point star[] = {{45, -4}, {60, 66}, {2, 22}, {88, 22}, {30, 66}};
            raster::polygon(t, star, 5, pen, brush);
        });
        expect_clipping_keeps_pixels("lines, " + name, [&](Surface &t) {
            for (int k = 0; k < 12; k++)
                raster::line(t, 45, 35, 45 + 60 * (k % 5 - 2), 35 + 23 * (k % 4 - 2), pen);
        });
    }
}

TEST(Clipping, TheTargetOffsetShiftsShapesWhole) {
    const Pen pens[] = {Pen{false, 1, RED}, Pen{false, 3, RED}};
    for (const Pen &pen : pens) {
        Image shifted(90, 70), moved(90, 70);
        const Point triangle[] = {{5, 5}, {40, 20}, {12, 50}};
        const Point moved_triangle[] = {{12, 2}, {47, 17}, {19, 47}};
        Surface &offset = shifted.target(0, 0, 90, 70, 7, -3);
        raster::polygon(offset, triangle, 3, pen, Brush{false, BLUE});
        raster::ellipse(offset, 30, 30, 60, 55, pen, Brush{false, BLUE});
        raster::line(offset, 0, 60, 80, 40, pen);
        raster::set_pixel(offset, 80, 65, RED);
        raster::polygon(moved.target(), moved_triangle, 3, pen, Brush{false, BLUE});
        raster::ellipse(moved.target(), 37, 27, 67, 52, pen, Brush{false, BLUE});
        raster::line(moved.target(), 7, 57, 87, 37, pen);
        raster::set_pixel(moved.target(), 87, 62, RED);
        EXPECT_EQ(shifted, moved);
    }
}

TEST(ExtremeCoordinates, ShapesSpanningTheWholeRangeCoverTheTarget) {
    const Pen pens[] = {Pen{false, 1, RED}, Pen{false, 5, RED}, Pen{false, INT32_MAX, RED},
                        Pen{true, 1, 0}};
    for (const Pen &pen : pens) {
        // The rectangle's edges are 2^31 pixels away, farther than half the widest pen.
        Image rect(64, 48);
        raster::rectangle(rect.target(), INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, pen,
                          Brush{false, BLUE});
        EXPECT_EQ(rect, Image(64, 48, BLUE)) << "pen " << pen.width;
        // The triangle's lower edge passes 0.9 * 2^30 pixels from the target: only the widest
        // pen reaches it.
        Image poly(64, 48);
        const Point corners[] = {{INT32_MIN, INT32_MIN}, {INT32_MAX, 0}, {0, INT32_MAX}};
        raster::polygon(poly.target(), corners, 3, pen, Brush{false, BLUE});
        EXPECT_EQ(poly, Image(64, 48, pen.width == INT32_MAX ? RED : BLUE)) << "pen " << pen.width;
    }
    // The widest pen along the diagonal covers everything near it.
    Image wide(64, 48);
    raster::line(wide.target(), INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX,
                 Pen{false, INT32_MAX, RED});
    EXPECT_EQ(wide, Image(64, 48, RED));
}

TEST(ExtremeCoordinates, OffsetsAndCoordinatesAddWithoutOverflow) {
    Image image(16, 16);
    for (int offset : {INT32_MAX, INT32_MIN}) {
        // Device coordinates between 0 and `far` land 2^31 pixels or more from the target.
        Surface &t = image.target(0, 0, 16, 16, offset, offset);
        const int far = offset > 0 ? INT32_MAX : INT32_MIN, half = far / 2;
        raster::set_pixel(t, far, far, RED);
        raster::set_pixel(t, 0, 0, RED);
        raster::line(t, far, far, 0, 5, Pen{false, 1, RED});
        raster::line(t, far, half, 3, far, Pen{false, 9, RED});
        raster::rectangle(t, 0, 0, far, far, Pen{false, 3, RED}, Brush{false, BLUE});
        raster::ellipse(t, far, far, 0, half, Pen{false, 2, RED}, Brush{false, BLUE});
        raster::ellipse(t, far, far, 0, half, Pen{false, 1, RED}, Brush{false, BLUE});
        const Point corners[] = {{far, far}, {0, far}, {far, 0}};
        raster::polygon(t, corners, 3, Pen{false, 4, RED}, Brush{false, BLUE});
    }
    EXPECT_EQ(image, Image(16, 16));
    // Offsets that bring far coordinates back onto the target.
    Surface &back = image.target(0, 0, 16, 16, INT32_MIN, INT32_MIN);
    raster::set_pixel(back, INT32_MAX, INT32_MAX, RED);
    EXPECT_EQ(image, Image(16, 16)); // INT32_MAX + INT32_MIN = -1: outside
    Surface &near = image.target(0, 0, 16, 16, INT32_MAX, 0);
    raster::set_pixel(near, INT32_MIN + 3, 4, RED); // INT32_MIN + 3 + INT32_MAX = 2
    EXPECT_EQ(image.at(2, 4), RED);
}

TEST(Targets, WithoutPixelsOrWithAnEmptyClipNothingIsDrawn) {
    Image image(8, 8);
    Image none(0, 0);
    auto draw_all = [](Surface &t) {
        raster::rectangle(t, 0, 0, 8, 8, Pen{false, 1, RED}, Brush{false, BLUE});
        raster::ellipse(t, 0, 0, 8, 8, Pen{false, 3, RED}, Brush{false, BLUE});
        raster::line(t, 0, 0, 8, 8, Pen{false, 2, RED});
        raster::set_pixel(t, 4, 4, RED);
        const Point corners[] = {{0, 0}, {8, 0}, {0, 8}};
        raster::polygon(t, corners, 3, Pen{false, 1, RED}, Brush{false, BLUE});
        raster::polygon(t, nullptr, 3, Pen{false, 1, RED}, Brush{false, BLUE});
        raster::polygon(t, corners, -1, Pen{false, 1, RED}, Brush{false, BLUE});
    };
    draw_all(none.target());
    draw_all(image.target(4, 4, 4, 8)); // empty
    draw_all(image.target(6, 6, 2, 2)); // inverted
    EXPECT_EQ(image, Image(8, 8));
}

} // namespace
} // namespace raster_test
