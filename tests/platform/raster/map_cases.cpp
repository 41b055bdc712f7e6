// The calls that drew each reference map. Titles name the call; where they do not give the
// coordinates (polygons, polylines, boxes), the drawings used fixed ones, listed here.
#include "map_cases.h"

#include <map>
#include <regex>
#include <vector>

using raster::Brush;
using raster::Pen;
using raster::Point;
using raster::Target;

namespace raster_test {

namespace {

Pen pen_named(const std::string &name) {
    if (name == "nullpen") return Pen{true, 1, 0};
    static const std::regex width(R"(pen(\d+)R?)");
    std::smatch m;
    if (!std::regex_match(name, m, width)) throw std::runtime_error("unknown pen " + name);
    return Pen{false, std::stoi(m[1]), RED};
}

Brush brush_named(const std::string &name) {
    if (name == "nullbrush") return Brush{true, 0};
    if (name == "brushR") return Brush{false, RED};
    if (name == "brushB") return Brush{false, BLUE};
    throw std::runtime_error("unknown brush " + name);
}

MapCase skip(const std::string &reason) {
    MapCase c;
    c.skip_reason = reason;
    return c;
}

MapCase drawing(const PixelMap &map, std::function<void(const Target &)> draw) {
    MapCase c;
    c.width = map.x1 + 1;
    c.height = map.y1 + 1;
    c.draw = std::move(draw);
    return c;
}

// Ellipse(x - r, y - r, x + r + 1, y + r + 1) centred in the map.
MapCase circle(const PixelMap &map, int r, Pen pen, Brush brush) {
    int centre = map.x1 / 2;
    return drawing(map, [=](const Target &t) {
        raster::ellipse(t, centre - r, centre - r, centre + r + 1, centre + r + 1, pen, brush);
    });
}

const std::map<std::string, std::vector<Point>> &polygon_shapes() {
    static const std::map<std::string, std::vector<Point>> shapes = {
        {"tri_up", {{10, 3}, {17, 16}, {3, 16}}},
        {"tri_down", {{3, 3}, {17, 3}, {10, 16}}},
        {"tri_vert_left", {{4, 3}, {16, 9}, {4, 16}}},
        {"tri_vert_right", {{16, 3}, {16, 16}, {4, 9}}},
        {"tri_right_angle_tl", {{4, 4}, {16, 4}, {4, 16}}},
        {"tri_right_angle_br", {{16, 4}, {16, 16}, {4, 16}}},
        {"tri_thin", {{3, 3}, {17, 7}, {5, 16}}},
        {"tri_flat_slopes", {{2, 8}, {18, 5}, {12, 13}}},
        {"tri_collinear", {{3, 3}, {10, 10}, {17, 17}}},
        {"tri_collinear_h", {{3, 9}, {10, 9}, {17, 9}}},
        {"tri_degenerate_point", {{9, 9}, {9, 9}, {9, 9}}},
        {"tri_small_3px", {{8, 8}, {11, 8}, {8, 11}}},
        {"tri_tiny", {{8, 8}, {10, 9}, {8, 10}}},
        {"tri_order0", {{10, 3}, {17, 12}, {3, 16}}},
        {"tri_order1", {{17, 12}, {3, 16}, {10, 3}}},
        {"tri_order2", {{3, 16}, {10, 3}, {17, 12}}},
        {"tri_order3", {{3, 16}, {17, 12}, {10, 3}}},
        {"bowtie_alt", {{3, 3}, {17, 17}, {17, 3}, {3, 17}}},
        {"touching_vertex_alt", {{3, 3}, {10, 10}, {17, 3}, {17, 17}, {10, 10}, {3, 17}}},
        {"star5_alt", {{10, 1}, {15, 18}, {1, 7}, {19, 7}, {5, 18}}},
    };
    return shapes;
}

// Wide polylines of lines.txt, drawn segment by segment with LineTo.
const std::map<std::string, std::vector<Point>> &polyline_shapes() {
    static const std::map<std::string, std::vector<Point>> shapes = {
        {"polyline_join", {{4, 20}, {12, 4}, {20, 20}}},
        {"polyline_rightangle", {{4, 4}, {20, 4}, {20, 20}}},
        {"extpen_round_round", {{4, 20}, {12, 4}, {20, 20}}},
    };
    return shapes;
}

std::optional<MapCase> line_case(const PixelMap &map) {
    static const std::regex line(R"(line_w(\d+)_.*_from_(\d+)_(\d+)_to_(\d+)_(\d+))");
    static const std::regex polyline(R"((polyline_\w+|extpen_round_round)_w(\d+))");
    static const std::regex other_extpen(R"(extpen_\w+_w\d+)");
    std::smatch m;
    if (std::regex_match(map.title, m, line)) {
        Pen pen{false, std::stoi(m[1]), RED};
        int x0 = std::stoi(m[2]), y0 = std::stoi(m[3]), x1 = std::stoi(m[4]), y1 = std::stoi(m[5]);
        return drawing(map, [=](const Target &t) { raster::line(t, x0, y0, x1, y1, pen); });
    }
    if (std::regex_match(map.title, m, polyline)) {
        auto shape = polyline_shapes().find(m[1]);
        if (shape == polyline_shapes().end()) return std::nullopt;
        std::vector<Point> points = shape->second;
        Pen pen{false, std::stoi(m[2]), RED};
        return drawing(map, [=](const Target &t) {
            for (size_t i = 0; i + 1 < points.size(); i++)
                raster::line(t, points[i].x, points[i].y, points[i + 1].x, points[i + 1].y, pen);
        });
    }
    if (std::regex_match(map.title, other_extpen))
        return skip("flat, square, miter and bevel pens (ExtCreatePen) are not provided");
    return std::nullopt;
}

std::optional<MapCase> rectangle_case(const PixelMap &map) {
    static const std::regex sized(R"(rect_(\d+)x(\d+)_(\w+?)_(brush\w|nullbrush))");
    std::smatch m;
    if (map.title == "rect_reversed_14_12_6_6_pen0R_brushB")
        return drawing(map, [](const Target &t) {
            raster::rectangle(t, 14, 12, 6, 6, Pen{false, 0, RED}, Brush{false, BLUE});
        });
    if (map.title == "rect_fullcanvas_pen0R_brushB")
        return drawing(map, [right = map.x1 + 1, bottom = map.y1 + 1](const Target &t) {
            raster::rectangle(t, 0, 0, right, bottom, Pen{false, 0, RED}, Brush{false, BLUE});
        });
    if (map.title == "rect_nullpen_strip_0_6_12_11")
        return drawing(map, [](const Target &t) {
            raster::rectangle(t, 0, 6, 12, 11, Pen{true, 1, 0}, Brush{false, BLUE});
        });
    if (!std::regex_match(map.title, m, sized)) return std::nullopt;
    if (m[3] == "insideframe3R") return skip("PS_INSIDEFRAME pens are not provided");
    int w = std::stoi(m[1]), h = std::stoi(m[2]);
    Pen pen = pen_named(m[3]);
    Brush brush = brush_named(m[4]);
    return drawing(map,
                   [=](const Target &t) { raster::rectangle(t, 6, 6, 6 + w, 6 + h, pen, brush); });
}

std::optional<MapCase> ellipse_case(const PixelMap &map) {
    static const std::regex sized(
        R"(ellipse_(\d+)x(\d+)_(\w+?)_(brush\w|nullbrush)(_samecolour)?)");
    static const std::regex arc(R"(ellipse_(\d+)x(\d+)_arcdir_c?cw)");
    static const std::regex one_colour(R"(circle_r(\d+)_samecolour)");
    static const std::regex ring(R"(circle_r(\d+)_(pen\d+)_(brush\w|nullbrush))");
    std::smatch m;
    if (std::regex_match(map.title, m, sized)) {
        if (m[3] == "nullpen")
            return skip(
                "null-pen ellipses: Wine keeps the full size, Windows draws one pixel less");
        int w = std::stoi(m[1]), h = std::stoi(m[2]);
        Pen pen = pen_named(m[3]);
        Brush brush = brush_named(m[4]);
        // The maps of wide pens leave room for the pen around the box.
        int at = map.file == "ellipse_wide.txt" ? 6 : 4;
        return drawing(
            map, [=](const Target &t) { raster::ellipse(t, at, at, at + w, at + h, pen, brush); });
    }
    if (std::regex_match(map.title, m, arc)) {
        int w = std::stoi(m[1]), h = std::stoi(m[2]);
        return drawing(map, [=](const Target &t) {
            raster::ellipse(t, 2, 2, 2 + w, 2 + h, Pen{false, 1, RED}, Brush{false, BLUE});
        });
    }
    if (std::regex_match(map.title, m, one_colour))
        return circle(map, std::stoi(m[1]), Pen{false, 0, RED}, Brush{false, RED});
    if (std::regex_match(map.title, m, ring))
        return circle(map, std::stoi(m[1]), pen_named(m[2]), brush_named(m[3]));
    return std::nullopt;
}

std::optional<MapCase> polygon_case(const PixelMap &map) {
    static const std::regex named(R"((\w+?)_(pen\dR|nullpen)_(brushB|nullbrush))");
    std::smatch m;
    if (!std::regex_match(map.title, m, named)) return std::nullopt;
    std::string shape = m[1];
    if (shape.size() > 5 && shape.substr(shape.size() - 5) == "_wind")
        return skip("WINDING fill: the stand-in fills polygons with ALTERNATE only");
    auto found = polygon_shapes().find(shape);
    if (found == polygon_shapes().end()) return std::nullopt;
    std::vector<Point> points = found->second;
    Pen pen = pen_named(m[2]);
    Brush brush = brush_named(m[3]);
    return drawing(map, [=](const Target &t) {
        raster::polygon(t, points.data(), int(points.size()), pen, brush);
    });
}

std::optional<MapCase> misc_case(const PixelMap &map) {
    if (map.title == "setpixel")
        return drawing(map, [](const Target &t) {
            raster::set_pixel(t, 0, 0, RED);
            raster::set_pixel(t, 4, 2, BLACK);
            raster::set_pixel(t, 9, 5, BLUE);
            // Outside the canvas: nothing.
            raster::set_pixel(t, -1, 0, RED);
            raster::set_pixel(t, 10, 5, RED);
            raster::set_pixel(t, 3, 6, RED);
            raster::set_pixel(t, 3, -1, RED);
        });
    // The title does not give the calls; these reproduce the map (others do too: only the
    // pixels inside the canvas are known).
    if (map.title == "clipped_shapes")
        return drawing(map, [](const Target &t) {
            raster::ellipse(t, -5, -5, 6, 6, Pen{false, 1, RED}, Brush{false, BLUE});
            raster::rectangle(t, 8, 4, 16, 12, Pen{false, 1, RED}, Brush{false, BLUE});
            raster::line(t, 15, 0, -3, 6, Pen{false, 1, RED});
        });
    return std::nullopt;
}

} // namespace

std::optional<MapCase> map_case(const PixelMap &map) {
    if (map.file == "lines.txt") return line_case(map);
    if (map.file == "rectangles.txt") return rectangle_case(map);
    if (map.file == "ellipse_sizes.txt" || map.file == "ellipse_wide.txt") return ellipse_case(map);
    if (map.file == "polygons.txt") return polygon_case(map);
    if (map.file == "misc.txt") return misc_case(map);
    return std::nullopt;
}

} // namespace raster_test
