#include "bench/cairo_frame.h"

#include <cmath>

namespace bench {

namespace {

// Pixel centres: Cairo covers a pixel when its centre is inside a path.
double px(int32_t x) {
    return origin_x + x + 0.5;
}
double py(int32_t y) {
    return origin_y - y + 0.5;
}

void set_color(cairo_t *cr, int32_t color) {
    COLORREF c = palette[color >= 0 && color < NUM_COLORS ? color : RED];
    cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}

// Wide lines have round ends, as the package's wide pens have; one-pixel lines are plain.
void stroke(cairo_t *cr, int width) {
    cairo_set_line_width(cr, width < 1 ? 1 : width);
    cairo_set_line_cap(cr, width > 1 ? CAIRO_LINE_CAP_ROUND : CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(cr, width > 1 ? CAIRO_LINE_JOIN_ROUND : CAIRO_LINE_JOIN_MITER);
    cairo_stroke(cr);
}

// A filled shape covers its box, both corners included; an outline runs through the centres
// of the box's edge pixels.
void box_path(cairo_t *cr, const DrawRecord &r, bool oval, bool filled) {
    double grow = filled ? 0.5 : 0.0;
    double left = px(r.x1) - grow, top = py(r.y1) - grow;
    double right = px(r.x2) + grow, bottom = py(r.y2) + grow;
    if (!oval) {
        cairo_rectangle(cr, left, top, right - left, bottom - top);
        return;
    }
    double rx = (right - left) / 2, ry = (bottom - top) / 2;
    if (rx <= 0 || ry <= 0) {
        cairo_rectangle(cr, left, top, right - left, bottom - top);
        return;
    }
    cairo_save(cr);
    cairo_translate(cr, left + rx, top + ry);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

void draw_text(cairo_t *cr, const DrawRecord &r, const std::string &text) {
    cairo_set_font_size(cr, r.x2);
    cairo_font_extents_t font;
    cairo_font_extents(cr, &font);
    double x = origin_x + r.x1, top = origin_y - r.y1 - font.height;
    size_t start = 0;
    for (;;) {
        size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? end : end - start);
        cairo_move_to(cr, x, top + font.ascent);
        cairo_show_text(cr, line.c_str());
        if (end == std::string::npos) break;
        top += font.height;
        start = end + 1;
    }
}

} // namespace

CairoCanvas::CairoCanvas()
    : surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, CANVAS_WIDTH, CANVAS_HEIGHT)),
      cr_(cairo_create(surface_)) {
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
    cairo_font_options_t *options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
    cairo_set_font_options(cr_, options);
    cairo_font_options_destroy(options);
    cairo_select_font_face(cr_, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL,
                           CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_source_rgb(cr_, 1, 1, 1);
    cairo_paint(cr_);
}

CairoCanvas::~CairoCanvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

void CairoCanvas::draw(const CorpusRecord &shape) {
    const DrawRecord &r = shape.record;
    set_color(cr_, r.color);
    switch (r.shape) {
    case SHAPE_TRIANGLE:
        cairo_move_to(cr_, px(r.x1), py(r.y1));
        cairo_line_to(cr_, px(r.x2), py(r.y2));
        cairo_line_to(cr_, px(r.x3), py(r.y3));
        cairo_close_path(cr_);
        if (r.width == 0)
            cairo_fill(cr_);
        else
            stroke(cr_, r.width);
        break;
    case SHAPE_RECTANGLE:
    case SHAPE_OVAL:
        box_path(cr_, r, r.shape == SHAPE_OVAL, r.width == 0);
        if (r.width == 0)
            cairo_fill(cr_);
        else
            stroke(cr_, r.width);
        break;
    case SHAPE_LINE:
        cairo_move_to(cr_, px(r.x1), py(r.y1));
        cairo_line_to(cr_, px(r.x2), py(r.y2));
        stroke(cr_, r.width);
        break;
    case SHAPE_TEXT: draw_text(cr_, r, shape.text); break;
    default: break;
    }
}

} // namespace bench
