// The drawing calls: argument repairs, description lines, records, and the logging switch.
#include "gfx/observe.h"

#include <cstdarg>
#include <cstring>

int check_color(int color) {
    if (color >= 0 && color <= NUM_COLORS - 1) return color;
    gfx_log("Illegal color %d; using RED.\n", color);
    return RED;
}

// The magnitude of a negative value; the most negative one saturates at the largest.
static int negated(int value) {
    return value == INT32_MIN ? INT32_MAX : -value;
}

static int clamp32(int64_t value) {
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return int(value);
}

static int repair_width(int width) {
    if (width >= 0) return width;
    gfx_log("Width of %d not possible, using width %d\n", width, negated(width));
    return negated(width);
}

static int repair_point_size(int point_size) {
    if (point_size < 0) {
        gfx_log("ptsize of %d not possible, using ptsize %d\n", point_size, negated(point_size));
        point_size = negated(point_size);
    }
    if (point_size > 127) {
        gfx_log("ptsize of %d not possible, using ptsize %d\n", point_size, 127);
        point_size = 127;
    }
    return point_size;
}

// Rectangles and ovals: (x1, y1) becomes the upper-left corner, (x2, y2) the lower-right.
static void normalise_corners(int &x1, int &y1, int &x2, int &y2) {
    if (x1 > x2) {
        int swap = x1;
        x1 = x2;
        x2 = swap;
    }
    if (y1 < y2) {
        int swap = y1;
        y1 = y2;
        y2 = swap;
    }
}

void observe_records(RecordObserver observer, void *context) {
    record_observer = observer;
    record_observer_context = context;
}

// Hands the record to the observer, with its text, instead of painting it.
static void observe(const DrawRecord *record) {
    const char *text = nullptr;
    if (record->shape == SHAPE_TEXT && record->text)
        text = static_cast<const char *>(GlobalLock(record->text));
    record_observer(*record, text, record_observer_context);
    if (text) GlobalUnlock(record->text);
}

static void paint(const DrawRecord *record) {
    if (record_observer)
        observe(record);
    else
        render_record(record);
}

static void render_shape(int shape, int color, int width, int x1, int y1, int x2, int y2, int x3,
                         int y3) {
    DrawRecord record = {shape, color, width, x1, y1, x2, y2, x3, y3, nullptr};
    paint(&record);
}

static int draw_circle(int color, int x, int y, int radius) {
    color = check_color(color);
    if (radius < 0) {
        gfx_log("Radius of %d not possible, using radius %d\n", radius, negated(radius));
        radius = negated(radius);
    }
    if (logging_on)
        gfx_log("%s circle at (%d,%d), radius %d\n", palette_names[color], x, y, radius);
    render_shape(SHAPE_OVAL, color, 0, clamp32(int64_t(x) - radius), clamp32(int64_t(y) + radius),
                 clamp32(int64_t(x) + radius), clamp32(int64_t(y) - radius), 0, 0);
    return 1;
}

static int draw_triangle(int color, int x1, int y1, int x2, int y2, int x3, int y3, int width) {
    color = check_color(color);
    width = repair_width(width);
    if (logging_on)
        gfx_log("%s triangle at (%d,%d), (%d,%d), (%d,%d)\n", palette_names[color], x1, y1, x2, y2,
                x3, y3);
    render_shape(SHAPE_TRIANGLE, color, width, x1, y1, x2, y2, x3, y3);
    return 1;
}

static int draw_rectangle(int color, int x1, int y1, int x2, int y2, int width) {
    normalise_corners(x1, y1, x2, y2);
    color = check_color(color);
    width = repair_width(width);
    if (logging_on && width != 0)
        gfx_log("%s rectangle with bounding box (%d,%d) to (%d,%d) with line width %d\n",
                palette_names[color], x1, y1, x2, y2, width);
    else if (logging_on)
        gfx_log("%s rectangle with bounding box (%d,%d) to (%d,%d), filled\n", palette_names[color],
                x1, y1, x2, y2);
    render_shape(SHAPE_RECTANGLE, color, width, x1, y1, x2, y2, 0, 0);
    return 1;
}

static int draw_oval(int color, int x1, int y1, int x2, int y2, int width) {
    normalise_corners(x1, y1, x2, y2);
    width = repair_width(width);
    color = check_color(color);
    if (logging_on && width != 0)
        gfx_log("%s oval with bounding box (%d,%d) to (%d,%d), line width %d\n",
                palette_names[color], x1, y1, x2, y2, width);
    else if (logging_on)
        gfx_log("%s oval with bounding box (%d,%d) to (%d,%d), filled\n", palette_names[color], x1,
                y1, x2, y2);
    render_shape(SHAPE_OVAL, color, width, x1, y1, x2, y2, 0, 0);
    return 1;
}

static int draw_line(int color, int x1, int y1, int x2, int y2, int width) {
    width = repair_width(width);
    color = check_color(color);
    if (logging_on)
        gfx_log("%s line from (%d,%d) to (%d,%d), width %d\n", palette_names[color], x1, y1, x2, y2,
                width);
    render_shape(SHAPE_LINE, color, width == 0 ? 1 : width, x1, y1, x2, y2, 0, 0);
    return 1;
}

// The record carries a private copy of the text in a movable block, freed after rendering. If
// no block can be had, the text is not drawn.
static int draw_text(int color, int x, int y, int point_size, const char *text) {
    if (!text) text = "";
    point_size = repair_point_size(point_size);
    color = check_color(color);
    if (logging_on) gfx_log("%s text at (%d,%d), \"%s\"\n", palette_names[color], x, y, text);
    size_t length = strlen(text);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, length + 1);
    if (!block) return 1;
    char *copy = static_cast<char *>(GlobalLock(block));
    if (copy) {
        memcpy(copy, text, length + 1);
        GlobalUnlock(block);
        DrawRecord record = {SHAPE_TEXT, color, 0, x, y, point_size, 0, 0, 0, block};
        paint(&record);
    }
    GlobalFree(block);
    return 1;
}

int gfx_circle(int color, int x, int y, int radius) {
    return draw_circle(color, x, y, radius);
}

int gfx_triangle(int color, int x1, int y1, int x2, int y2, int x3, int y3, int width) {
    return draw_triangle(color, x1, y1, x2, y2, x3, y3, width);
}

int gfx_rectangle(int color, int x1, int y1, int x2, int y2, int width) {
    return draw_rectangle(color, x1, y1, x2, y2, width);
}

int gfx_oval(int color, int x1, int y1, int x2, int y2, int width) {
    return draw_oval(color, x1, y1, x2, y2, width);
}

int gfx_line(int color, int x1, int y1, int x2, int y2, int width) {
    return draw_line(color, x1, y1, x2, y2, width);
}

int gfx_text(int color, int x, int y, int point_size, const char *text) {
    return draw_text(color, x, y, point_size, text);
}

int gfx_printf(int color, int x, int y, int point_size, const char *format, ...) {
    char buffer[LOG_BUFFER_SIZE];
    va_list arguments;
    va_start(arguments, format);
    int count = format_line(buffer, format, arguments);
    va_end(arguments);
    gfx_text(color, x, y, point_size, buffer);
    return count;
}

int gfx_clear() {
    if (logging_on) gfx_log("Clearing the graphics window\n");
    erase_canvas();
    return 1;
}

int gfx_logging(int on) {
    if (!graphics_window) return 0;
    logging_on = on ? 1 : 0;
    CheckMenuItem(run_menu, CMD_LOGGING, logging_on ? MF_CHECKED : MF_UNCHECKED);
    if (logging_on) show_text_window(1);
    return 1;
}
