// Ellipses against the literal walk: outline rows by every method, fill and outline, wide
// rings, the circle table, and boxes far larger than the target.
#include "pixel_map.h"
#include "reference_model.h"

#include "platform/gdi/raster/shapes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

namespace raster_test {
namespace {

using raster::Brush;
using raster::Pen;
using raster::QuarterMethod;
using raster::QuarterRun;

std::string describe(const QuarterRun &r) {
    return r.empty() ? "none" : std::to_string(r.first) + ".." + std::to_string(r.last);
}

// Runs of rows j0 ... j1 by a method, against the literal walk.
void expect_runs(int64_t w, int64_t h, int64_t j0, int64_t j1, QuarterMethod method,
                 const std::vector<QuarterRun> &walk) {
    std::vector<QuarterRun> got(size_t(j1 - j0 + 1));
    raster::quarter_runs(w, h, j0, j1, got.data(), method);
    for (int64_t j = j0; j <= j1; j++) {
        const QuarterRun &want = walk[size_t(j)], &have = got[size_t(j - j0)];
        ASSERT_EQ(describe(have), describe(want))
            << w << "x" << h << " row " << j << " method " << int(method);
    }
}

TEST(EllipseOutline, EveryMethodTracesTheWalkForSmallBoxes) {
    for (int64_t w = 2; w <= 90; w++)
        for (int64_t h = 2; h <= 90; h++) {
            const std::vector<QuarterRun> walk = walk_runs(w, h);
            const int64_t last = int64_t(walk.size()) - 1;
            for (QuarterMethod m : {QuarterMethod::walk, QuarterMethod::by_row}) {
                expect_runs(w, h, 0, last, m, walk);
                expect_runs(w, h, last / 2, last, m, walk); // starting part-way down
                expect_runs(w, h, last, last, m, walk);
            }
        }
}

TEST(EllipseOutline, RowsComputedDirectlyMatchTheWalkForLargeAndNarrowBoxes) {
    std::mt19937_64 random(7);
    std::vector<std::pair<int64_t, int64_t>> boxes = {
        {2000001, 2000001}, {2097152, 1048577}, {3, 4001},    {4, 4001},
        {5, 3000},          {16, 2000},         {4001, 3},    {999, 1000001},
        {1000001, 999},     {65537, 65536},     {12345, 678}, {2, 1000}};
    for (int k = 0; k < 12; k++)
        boxes.push_back({int64_t(random() % 100000) + 3, int64_t(random() % 100000) + 3});
    for (auto [w, h] : boxes) {
        const std::vector<QuarterRun> walk = walk_runs(w, h);
        const int64_t last = int64_t(walk.size()) - 1;
        // A few windows of rows, as a target would see them.
        for (int64_t j0 : {int64_t(0), last / 3, last - 600, last - 1}) {
            j0 = std::clamp<int64_t>(j0, 0, last);
            const int64_t j1 = std::min(last, j0 + 540);
            expect_runs(w, h, j0, j1, QuarterMethod::by_row, walk);
            expect_runs(w, h, j0, j1, QuarterMethod::automatic, walk);
        }
    }
}

TEST(EllipseOutline, GeometricRowsStayCloseToTheWalk) {
    // Beyond exact arithmetic the real ellipse is used. On boxes both can do, each of its runs
    // lies within a pixel of the walk's runs on the same or a neighbouring row.
    for (auto [w, h] : std::vector<std::pair<int64_t, int64_t>>{
             {501, 501}, {1200, 300}, {77, 901}, {20001, 20001}, {30000, 9}}) {
        const std::vector<QuarterRun> walk = walk_runs(w, h);
        const int64_t rows = int64_t(walk.size());
        std::vector<QuarterRun> geo(walk.size());
        raster::quarter_runs(w, h, 0, rows - 1, geo.data(), QuarterMethod::geometric);
        for (int64_t j = 0; j < rows; j++) {
            int64_t lo = INT64_MAX, hi = INT64_MIN;
            for (int64_t k = std::max<int64_t>(0, j - 1); k <= std::min(rows - 1, j + 1); k++)
                if (!walk[size_t(k)].empty()) {
                    lo = std::min(lo, walk[size_t(k)].last - 1);
                    hi = std::max(hi, walk[size_t(k)].first + 1);
                }
            const QuarterRun &g = geo[size_t(j)];
            ASSERT_FALSE(g.empty());
            EXPECT_TRUE(g.last >= lo && g.first <= hi)
                << w << "x" << h << " row " << j << ": " << describe(g) << " walk "
                << describe(walk[size_t(j)]);
        }
    }
}

// Ellipse() against the literal rule on a target with room around the box.
void expect_ellipse(int w, int h, Pen pen, Brush brush) {
    Image fast(w + 20, h + 20), slow(w + 20, h + 20);
    raster::ellipse(fast.target(), 10, 10, 10 + w, 10 + h, pen, brush);
    const Clip c = raster::clip_of(slow.target());
    if (pen.width >= 2) {
        if (!brush.null) reference_ellipse(c, 10, 10, w, h, false, 0, true, brush.color);
        reference_ring(c, 10, 10, w, h, pen.width, pen.color);
    } else {
        reference_ellipse(c, 10, 10, w, h, true, pen.color, !brush.null, brush.color);
    }
    ASSERT_TRUE(fast == slow) << w << "x" << h << " pen " << pen.width << "\nfast\n"
                              << show(fast) << "slow\n"
                              << show(slow);
}

TEST(EllipseShape, OutlineAndBrushFollowTheWalkForAllSmallBoxes) {
    for (int w = 3; w <= 48; w++)
        for (int h = 3; h <= 48; h++) {
            expect_ellipse(w, h, Pen{false, 1, RED}, Brush{false, BLUE});
            expect_ellipse(w, h, Pen{false, 0, RED}, Brush{true, 0});
        }
}

TEST(EllipseShape, WideOutlinesAreTheClosedPolylineThroughTheOutlinePoints) {
    for (int pen : {2, 3, 4, 5, 6, 7, 8, 12, 16, 17, 24, 33, 48, 64})
        for (int w = 3; w <= 30; w++)
            for (int h = 3; h <= 30; h += (w % 3) + 1) {
                expect_ellipse(w, h, Pen{false, pen, RED}, Brush{true, 0});
                if ((w + h) % 5 == 0)
                    expect_ellipse(w, h, Pen{false, pen, RED}, Brush{false, BLUE});
            }
    // The project's sun rings.
    for (int r = 10; r <= 120; r += 10)
        expect_ellipse(2 * r + 1, 2 * r + 1, Pen{false, 2, RED}, Brush{true, 0});
}

TEST(EllipseShape, ClippedWideOutlinesKeepTheirPixels) {
    // The ring visits only points near the clip; compare windows of a ring with the whole, and
    // the rings that step patterns draw (pens up to 64 wide) with the plain point-by-point ring.
    for (int pen : {2, 3, 5, 6, 16, 20, 41, 64}) {
        for (auto [w, h] : std::vector<std::pair<int, int>>{{61, 61}, {90, 31}, {12, 70}}) {
            Image whole(w + 40, h + 40);
            raster::ellipse(whole.target(), 20, 20, 20 + w, 20 + h, Pen{false, pen, RED},
                            Brush{true, 0});
            Image plain(w + 40, h + 40);
            raster::ellipse_ring(raster::clip_of(plain.target()), 20, 20, w, h, pen, RED,
                                 raster::RingMethod::point_by_point);
            ASSERT_TRUE(whole == plain) << "pen " << pen << " box " << w << "x" << h << "\n"
                                        << show(whole) << "point by point\n"
                                        << show(plain);
            for (int x0 = 0; x0 < w + 40; x0 += 11)
                for (int y0 = 0; y0 < h + 40; y0 += 13) {
                    Image part(w + 40, h + 40);
                    raster::ellipse(part.target(x0, y0, x0 + 9, y0 + 7), 20, 20, 20 + w, 20 + h,
                                    Pen{false, pen, RED}, Brush{true, 0});
                    for (int y = 0; y < part.height; y++)
                        for (int x = 0; x < part.width; x++) {
                            bool inside = x >= x0 && x < x0 + 9 && y >= y0 && y < y0 + 7;
                            ASSERT_EQ(part.at(x, y), inside ? whole.at(x, y) : WHITE)
                                << "pen " << pen << " box " << w << "x" << h << " at " << x << ","
                                << y;
                        }
                }
        }
    }
}

TEST(EllipseShape, CircleHalfWidthsMatchTheTable) {
    std::ifstream in(std::string(KORVA_GDI_MAPS_DIR) + "/circle_halfwidths.txt");
    ASSERT_TRUE(in);
    std::string line;
    int checked = 0;
    while (std::getline(in, line)) {
        int r;
        if (std::sscanf(line.c_str(), "r=%d:", &r) != 1 || line.find('[') == std::string::npos)
            continue;
        std::vector<int> widths;
        std::stringstream list(line.substr(line.find('[') + 1));
        for (int v; list >> v;) {
            widths.push_back(v);
            list.ignore(1);
        }
        const int size = 2 * r + 1 + 4, centre = r + 2;
        Image image(size, size);
        raster::ellipse(image.target(), centre - r, centre - r, centre + r + 1, centre + r + 1,
                        Pen{false, 0, RED}, Brush{false, RED});
        for (int k = 0; k <= r; k++)
            for (int y : {centre - r + k, centre + r - k}) {
                int h = widths.at(size_t(k));
                for (int x = 0; x < size; x++)
                    ASSERT_EQ(image.at(x, y), std::abs(x - centre) <= h ? RED : WHITE)
                        << "r=" << r << " row " << k;
            }
        checked++;
    }
    EXPECT_EQ(checked, 48);
}

TEST(EllipseShape, RadiusZeroCircleDrawsNothing) {
    Image image(5, 5);
    raster::ellipse(image.target(), 2, 2, 3, 3, Pen{false, 0, RED}, Brush{false, RED});
    raster::ellipse(image.target(), 2, 2, 3, 3, Pen{true, 1, 0}, Brush{false, RED});
    EXPECT_EQ(image, Image(5, 5));
}

TEST(EllipseShape, WithoutAPenTheBrushCoversTheBoxOnePixelSmaller) {
    // As with Rectangle: the area the box one pixel smaller covers with a pen. Boxes up to two
    // pixels wide or high are rectangles, so theirs is Rectangle's null-pen area.
    for (int w = 1; w <= 30; w++)
        for (int h = 1; h <= 30; h++) {
            Image no_pen(40, 40), smaller(40, 40);
            raster::ellipse(no_pen.target(), 5, 5, 5 + w, 5 + h, Pen{true, 1, 0},
                            Brush{false, BLUE});
            if (w <= 3 || h <= 3)
                raster::rectangle(smaller.target(), 5, 5, 5 + w, 5 + h, Pen{true, 1, 0},
                                  Brush{false, BLUE});
            else
                raster::ellipse(smaller.target(), 5, 5, 4 + w, 4 + h, Pen{false, 0, BLUE},
                                Brush{false, BLUE});
            ASSERT_EQ(no_pen, smaller) << w << "x" << h;
        }
}

TEST(EllipseShape, TallNarrowBoxesKeepTheRowHull) {
    // The walk stops before the bottom row; rows it never reaches stay empty, and nothing is
    // drawn outside the box.
    for (int w : {3, 4, 5, 6, 8, 10})
        for (int h : {8, 20, 40, 80, 130})
            expect_ellipse(w, h, Pen{false, 1, RED}, Brush{false, BLUE});
    Image image(10, 140);
    raster::ellipse(image.target(), 2, 2, 5, 132, Pen{false, 1, RED}, Brush{false, BLUE});
    for (int y = 0; y < 140; y++)
        for (int x = 0; x < 10; x++)
            if (x < 2 || x > 4 || y < 2 || y > 131) {
                ASSERT_EQ(image.at(x, y), WHITE);
            }
}

TEST(HugeEllipse, CircleOfRadiusAMillionCentredOnTheTargetCoversIt) {
    Image image(601, 540);
    const int r = 1000000;
    raster::ellipse(image.target(), 300 - r, 270 - r, 301 + r, 271 + r, Pen{false, 0, RED},
                    Brush{false, BLUE});
    EXPECT_EQ(image, Image(601, 540, BLUE));
}

TEST(HugeEllipse, EdgeOfACircleOfRadiusAMillionIsExact) {
    // The target shows a stretch of the outline far from the middle row; compare each row
    // with the walk.
    const int64_t r = 1000000, w = 2 * r + 1;
    const std::vector<QuarterRun> walk = walk_runs(w, w);
    // The target shows box columns around 1,600,000 and rows around 1,800,000: the outline
    // 600,000 right of and 800,000 below the centre.
    const int64_t box_x = -1600000 + 300, box_y = -1800000 + 270;
    Image image(601, 540);
    raster::ellipse(image.target(), int32_t(box_x), int32_t(box_y), int32_t(box_x + w),
                    int32_t(box_y + w), Pen{false, 1, RED}, Brush{false, BLUE});
    int outline_rows = 0;
    for (int y = 0; y < 540; y++) {
        const int64_t box_row = y - box_y;
        const QuarterRun &run = walk.at(size_t(box_row - w / 2));
        for (int x = 0; x < 601; x++) {
            const int64_t box_col = x - box_x;
            uint32_t want = box_col > run.first ? WHITE : box_col >= run.last ? RED : BLUE;
            ASSERT_EQ(image.at(x, y), want) << "row " << y << " column " << x;
        }
        if (run.first >= 1600000 - 300 && run.last <= 1600000 + 300) outline_rows++;
    }
    EXPECT_GT(outline_rows, 100);
}

TEST(HugeEllipse, WideRingOfAHugeCircleMatchesThePolylineNearTheTarget) {
    // Only the outline points near the target matter; draw those by the literal rule.
    const int64_t r = 1000000, w = 2 * r + 1;
    const int64_t box_x = -(r + 707106) + 300, box_y = -(r + 707106) + 270; // 45 degrees
    Image fast(601, 540), slow(601, 540);
    raster::ellipse(fast.target(), int32_t(box_x), int32_t(box_y), int32_t(box_x + w),
                    int32_t(box_y + w), Pen{false, 3, RED}, Brush{true, 0});
    std::vector<Point64> near;
    for (Point64 p : walk_points(w, w)) { // the lower-right quarter, in the loop's order
        Point64 at{box_x + p.x, box_y + p.y};
        if (at.x > -10 && at.x < 611 && at.y > -10 && at.y < 550) near.push_back(at);
    }
    ASSERT_GT(near.size(), 500u);
    raster::wide_polyline(raster::clip_of(slow.target()), near.data(), near.size(), false, 3, RED);
    EXPECT_TRUE(fast == slow);
}

TEST(EllipseShape, PensFarWiderThanTheBoxCoverItsSurroundings) {
    // A 1000-pixel pen on a 200-pixel circle: the stroke swallows the target. (Pens this wide
    // are drawn as the band between grown and shrunk ellipses, which here has no hole.)
    Image image(601, 540);
    raster::ellipse(image.target(), 100, 100, 300, 300, Pen{false, 1000, RED}, Brush{true, 0});
    EXPECT_EQ(image, Image(601, 540, RED));
    // A 300-pixel pen on a circle of radius 300 covers radii 150 to 450: the middle stays open.
    Image ring(601, 601);
    raster::ellipse(ring.target(), 0, 0, 601, 601, Pen{false, 300, RED}, Brush{false, BLUE});
    for (int d : {0, 130}) {
        EXPECT_EQ(ring.at(300, 300 - d), BLUE);
        EXPECT_EQ(ring.at(300 + d, 300), BLUE);
    }
    for (int d : {170, 300}) {
        EXPECT_EQ(ring.at(300, 300 - d), RED);
        EXPECT_EQ(ring.at(300 - d, 300), RED);
        EXPECT_EQ(ring.at(300, 300 + d), RED);
    }
}

TEST(HugeEllipse, ExtremeBoxesFinishAndCoverTheTarget) {
    // The target sits at the centre of the box, far inside even the widest pen's stroke.
    const Pen pens[] = {Pen{false, 0, RED}, Pen{false, 2, RED}, Pen{false, INT32_MAX, RED},
                        Pen{true, 1, 0}};
    for (const Pen &pen : pens) {
        Image image(64, 48);
        raster::ellipse(image.target(), INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, pen,
                        Brush{false, BLUE});
        EXPECT_EQ(image, Image(64, 48, BLUE)) << "pen " << pen.width;
    }
    // A box that only touches the target with its outline: the top row of a huge ellipse.
    Image top(64, 48);
    raster::ellipse(top.target(), INT32_MIN, 10, INT32_MAX, INT32_MAX, Pen{false, 1, RED},
                    Brush{false, BLUE});
    for (int x = 0; x < 64; x++) EXPECT_EQ(top.at(x, 10), RED);
    for (int x = 0; x < 64; x++) EXPECT_EQ(top.at(x, 9), WHITE);
}

} // namespace
} // namespace raster_test
