// The calls that drew each reference map. Titles name the call; where they do not give the
// coordinates (polygons, polylines, boxes), the drawings used fixed ones, listed here.
#include "map_cases.h"

#include <cstdio>
#include <map>
#include <sstream>
#include <vector>

using platform::Surface;
using raster::Brush;
using raster::Pen;
using raster::Point;

namespace raster_test {

namespace {

// "nullpen", or "pen<width>" with an optional colour letter.
Pen pen_named(const std::string &name) {
    if (name == "nullpen") return Pen{true, 1, 0};
    int width = 0;
    if (std::sscanf(name.c_str(), "pen%d", &width) != 1)
        throw std::runtime_error("unknown pen " + name);
    return Pen{false, width, RED};
}

std::vector<std::string> split(const std::string &title) {
    std::vector<std::string> parts;
    std::stringstream in(title);
    for (std::string part; std::getline(in, part, '_');) parts.push_back(part);
    return parts;
}

bool starts_with(const std::string &s, const std::string &prefix) {
    return s.rfind(prefix, 0) == 0;
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

MapCase drawing(const PixelMap &map, std::function<void(Surface &)> draw) {
    MapCase c;
    c.width = map.x1 + 1;
    c.height = map.y1 + 1;
    c.draw = std::move(draw);
    return c;
}

// Ellipse(x - r, y - r, x + r + 1, y + r + 1) centred in the map.
MapCase circle(const PixelMap &map, int r, Pen pen, Brush brush) {
    int centre = map.x1 / 2;
    return drawing(map, [=](Surface &t) {
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
    const std::string &title = map.title;
    int w, x0, y0, x1, y1;
    size_t from = title.find("_from_");
    if (std::sscanf(title.c_str(), "line_w%d_", &w) == 1 && from != std::string::npos &&
        std::sscanf(title.c_str() + from, "_from_%d_%d_to_%d_%d", &x0, &y0, &x1, &y1) == 4) {
        Pen pen{false, w, RED};
        return drawing(map, [=](Surface &t) { raster::line(t, x0, y0, x1, y1, pen); });
    }
    // "<shape>_w<width>": polylines with round joins.
    size_t last = title.rfind("_w");
    if (last == std::string::npos) return std::nullopt;
    auto shape = polyline_shapes().find(title.substr(0, last));
    if (shape == polyline_shapes().end()) {
        if (starts_with(title, "extpen_"))
            return skip("flat, square, miter and bevel pens (ExtCreatePen) are not provided");
        return std::nullopt;
    }
    std::vector<Point> points = shape->second;
    Pen pen{false, std::stoi(title.substr(last + 2)), RED};
    return drawing(map, [=](Surface &t) {
        for (size_t i = 0; i + 1 < points.size(); i++)
            raster::line(t, points[i].x, points[i].y, points[i + 1].x, points[i + 1].y, pen);
    });
}

std::optional<MapCase> rectangle_case(const PixelMap &map) {
    if (map.title == "rect_reversed_14_12_6_6_pen0R_brushB")
        return drawing(map, [](Surface &t) {
            raster::rectangle(t, 14, 12, 6, 6, Pen{false, 0, RED}, Brush{false, BLUE});
        });
    if (map.title == "rect_fullcanvas_pen0R_brushB")
        return drawing(map, [right = map.x1 + 1, bottom = map.y1 + 1](Surface &t) {
            raster::rectangle(t, 0, 0, right, bottom, Pen{false, 0, RED}, Brush{false, BLUE});
        });
    if (map.title == "rect_nullpen_strip_0_6_12_11")
        return drawing(map, [](Surface &t) {
            raster::rectangle(t, 0, 6, 12, 11, Pen{true, 1, 0}, Brush{false, BLUE});
        });
    // "rect_<w>x<h>_<pen>_<brush>", boxes at (6, 6).
    const std::vector<std::string> parts = split(map.title);
    int w, h;
    if (parts.size() != 4 || std::sscanf(parts[1].c_str(), "%dx%d", &w, &h) != 2)
        return std::nullopt;
    if (parts[2] == "insideframe3R") return skip("PS_INSIDEFRAME pens are not provided");
    Pen pen = pen_named(parts[2]);
    Brush brush = brush_named(parts[3]);
    return drawing(map, [=](Surface &t) { raster::rectangle(t, 6, 6, 6 + w, 6 + h, pen, brush); });
}

std::optional<MapCase> ellipse_case(const PixelMap &map) {
    const std::vector<std::string> parts = split(map.title);
    int w, h, r;
    if (parts.size() >= 3 && parts[0] == "ellipse" &&
        std::sscanf(parts[1].c_str(), "%dx%d", &w, &h) == 2) {
        if (parts[2] == "arcdir") // both arc directions: the same pixels
            return drawing(map, [=](Surface &t) {
                raster::ellipse(t, 2, 2, 2 + w, 2 + h, Pen{false, 1, RED}, Brush{false, BLUE});
            });
        if (parts.size() < 4) return std::nullopt;
        if (parts[2] == "nullpen")
            return skip(
                "null-pen ellipses: Wine keeps the full size, Windows draws one pixel less");
        Pen pen = pen_named(parts[2]);
        Brush brush = brush_named(parts[3]);
        // Boxes at (4, 4); the maps of wide pens leave room for the pen and put them at (6, 6).
        int at = map.file == "ellipse_wide.txt" ? 6 : 4;
        return drawing(map,
                       [=](Surface &t) { raster::ellipse(t, at, at, at + w, at + h, pen, brush); });
    }
    if (parts.size() >= 2 && parts[0] == "circle" &&
        std::sscanf(parts[1].c_str(), "r%d", &r) == 1) {
        if (parts.size() == 3 && parts[2] == "samecolour")
            return circle(map, r, Pen{false, 0, RED}, Brush{false, RED});
        if (parts.size() == 4) return circle(map, r, pen_named(parts[2]), brush_named(parts[3]));
    }
    return std::nullopt;
}

std::optional<MapCase> polygon_case(const PixelMap &map) {
    // "<shape>_<pen>_<brush>".
    size_t brush_at = map.title.rfind('_');
    if (brush_at == std::string::npos) return std::nullopt;
    size_t pen_at = map.title.rfind('_', brush_at - 1);
    if (pen_at == std::string::npos) return std::nullopt;
    const std::string shape = map.title.substr(0, pen_at);
    if (shape.size() > 5 && shape.substr(shape.size() - 5) == "_wind")
        return skip("WINDING fill: the stand-in fills polygons with ALTERNATE only");
    auto found = polygon_shapes().find(shape);
    if (found == polygon_shapes().end()) return std::nullopt;
    std::vector<Point> points = found->second;
    Pen pen = pen_named(map.title.substr(pen_at + 1, brush_at - pen_at - 1));
    Brush brush = brush_named(map.title.substr(brush_at + 1));
    return drawing(map, [=](Surface &t) {
        raster::polygon(t, points.data(), int(points.size()), pen, brush);
    });
}

std::optional<MapCase> misc_case(const PixelMap &map) {
    if (map.title == "setpixel")
        return drawing(map, [](Surface &t) {
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
        return drawing(map, [](Surface &t) {
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
