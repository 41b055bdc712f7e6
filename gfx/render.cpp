// The renderer: draw records into the canvas, erasing it, and copying it to the window.
#include "gfx/state.h"

#include <cstring>

// Device coordinates are formed wide and clamped, so no coordinate arithmetic overflows.
static int32_t clamp32(int64_t value) {
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return int32_t(value);
}

static int32_t device_x(int32_t x) {
    return clamp32(int64_t(origin_x) + x);
}
static int32_t device_y(int32_t y) {
    return clamp32(int64_t(origin_y) - y);
}

static COLORREF color_value(int32_t color) {
    return color >= 0 && color < NUM_COLORS ? palette[color] : palette[RED];
}

// Width 0 fills with a solid brush of the colour; any other width draws the outline only.
static HGDIOBJ brush_for(const DrawRecord *record) {
    if (record->width == 0) return CreateSolidBrush(color_value(record->color));
    return GetStockObject(NULL_BRUSH);
}

static void render_triangle(const DrawRecord *r) {
    HPEN pen = CreatePen(PS_SOLID, r->width, color_value(r->color));
    HGDIOBJ old_pen = SelectObject(canvas.dc, pen);
    HGDIOBJ brush = brush_for(r);
    HGDIOBJ old_brush = SelectObject(canvas.dc, brush);
    POINT corners[3] = {{device_x(r->x1), device_y(r->y1)},
                        {device_x(r->x2), device_y(r->y2)},
                        {device_x(r->x3), device_y(r->y3)}};
    Polygon(canvas.dc, corners, 3);
    SelectObject(canvas.dc, old_pen);
    SelectObject(canvas.dc, old_brush);
    DeleteObject(pen);
    DeleteObject(brush);
}

// Rectangles and ovals cover their box with both corners included: the far edges get + 1.
static void render_box(const DrawRecord *r) {
    HPEN pen = CreatePen(PS_SOLID, r->width, color_value(r->color));
    HGDIOBJ brush = brush_for(r);
    HGDIOBJ old_pen = SelectObject(canvas.dc, pen);
    HGDIOBJ old_brush = SelectObject(canvas.dc, brush);
    int32_t left = device_x(r->x1), top = device_y(r->y1);
    int32_t right = clamp32(int64_t(device_x(r->x2)) + 1);
    int32_t bottom = clamp32(int64_t(device_y(r->y2)) + 1);
    if (r->shape == SHAPE_RECTANGLE)
        Rectangle(canvas.dc, left, top, right, bottom);
    else
        Ellipse(canvas.dc, left, top, right, bottom);
    SelectObject(canvas.dc, old_pen);
    SelectObject(canvas.dc, old_brush);
    DeleteObject(pen);
    DeleteObject(brush);
}

static void render_line(const DrawRecord *r) {
    HPEN pen = CreatePen(PS_SOLID, r->width, color_value(r->color));
    HGDIOBJ old_pen = SelectObject(canvas.dc, pen);
    MoveToEx(canvas.dc, device_x(r->x1), device_y(r->y1), nullptr);
    LineTo(canvas.dc, device_x(r->x2), device_y(r->y2));
    SelectObject(canvas.dc, old_pen);
    DeleteObject(pen);
}

// Text: the anchor is the lower-left corner of the first line; each newline starts a line one
// line height lower. Only glyph pixels change.
static void render_text(const DrawRecord *r) {
    SetTextColor(canvas.dc, color_value(r->color));
    int old_mode = GetBkMode(canvas.dc);
    SetBkMode(canvas.dc, TRANSPARENT);
    HFONT font = CreateFontA(clamp32(-int64_t(r->x2)), 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0,
                             "KORVA-font");
    HGDIOBJ old_font = SelectObject(canvas.dc, font);

    const char *text = static_cast<const char *>(GlobalLock(r->text));
    if (text) {
        size_t bytes = strlen(text);
        int length = bytes > size_t(INT32_MAX) ? INT32_MAX : int(bytes);
        SIZE extent = {0, 0};
        GetTextExtentPointA(canvas.dc, text, length, &extent);
        int64_t line_height = extent.cy;
        int32_t x = device_x(r->x1);
        const char *line = text;
        for (int64_t k = -1;; k++) {
            const char *end = line;
            while (*end != '\0' && *end != '\n') end++;
            int64_t top = int64_t(origin_y) - r->y1 + k * line_height;
            TextOutA(canvas.dc, x, clamp32(top), line, int(end - line));
            if (*end == '\0') break;
            line = end + 1;
        }
        GlobalUnlock(r->text);
    }

    SetBkMode(canvas.dc, old_mode);
    SelectObject(canvas.dc, old_font);
    DeleteObject(font);
}

void render_record(const DrawRecord *record) {
    switch (record->shape) {
    case SHAPE_TRIANGLE: render_triangle(record); break;
    case SHAPE_RECTANGLE:
    case SHAPE_OVAL: render_box(record); break;
    case SHAPE_LINE: render_line(record); break;
    case SHAPE_PIXEL:
        SetPixel(canvas.dc, device_x(record->x1), device_y(record->y1), color_value(record->color));
        break;
    case SHAPE_TEXT: render_text(record); break;
    default: break;
    }
    canvas_dirty = 1;
}

// White, with the standing one-pixel black pen drawing a border on the outermost pixels.
void erase_canvas() {
    HBRUSH brush = CreateSolidBrush(palette[WHITE]);
    HGDIOBJ old_brush = SelectObject(canvas.dc, brush);
    Rectangle(canvas.dc, 0, 0, CANVAS_WIDTH, CANVAS_HEIGHT);
    SelectObject(canvas.dc, old_brush);
    DeleteObject(brush);
    canvas_dirty = 1;
}

void copy_canvas_to_window() {
    BitBlt(window_dc, 0, 0, CANVAS_WIDTH, CANVAS_HEIGHT, canvas.dc, 0, 0, SRCCOPY);
}
