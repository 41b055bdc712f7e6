// The log: gfx_log, the ring of the last 25 lines, and the text window that shows them.
#include "gfx/observe.h"

#include <cstdarg>
#include <cstring>

void observe_log(LogObserver observer, void *context) {
    log_observer = observer;
    log_observer_context = context;
}

// Keeps a copy of the line in the ring. The copy is made before the oldest line is dropped, so
// a block that cannot be had loses only the new line, never a kept one.
static void retain_line(const char *line, size_t length) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, length + 1);
    if (!block) return;
    char *copy = static_cast<char *>(GlobalLock(block));
    if (!copy) {
        GlobalFree(block);
        return;
    }
    memcpy(copy, line, length + 1);
    GlobalUnlock(block);
    if (log_oldest == log_next) {
        GlobalFree(log_ring[log_oldest]);
        log_oldest = (log_oldest + 1) % LOG_LINES;
    }
    log_ring[log_next] = block;
    if (log_oldest < 0) log_oldest = log_next;
    log_next = (log_next + 1) % LOG_LINES;
}

int format_line(char *buffer, const char *format, va_list arguments) {
    int count = format ? vsnprintf(buffer, LOG_BUFFER_SIZE, format, arguments) : 0;
    if (count <= 0) buffer[0] = '\0';
    return count;
}

int gfx_log(const char *format, ...) {
    char buffer[LOG_BUFFER_SIZE];
    va_list arguments;
    va_start(arguments, format);
    int count = format_line(buffer, format, arguments);
    va_end(arguments);
    if (log_observer) log_observer(buffer, log_observer_context);
    retain_line(buffer, strlen(buffer));
    print_log_line(buffer);
    return count;
}

// Scrolls the text window up by one line and draws the text in the freed bottom strip. One
// trailing newline is removed from the text, in place. Nothing is drawn while the text window
// does not exist (not yet opened, or closed by the user).
void print_log_line(char *text) {
    if (!text_window) return;
    HDC dc = GetDC(text_window);
    if (!dc) return;
    SelectObject(dc, GetStockObject(ANSI_FIXED_FONT));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    int line_height = metrics.tmHeight + metrics.tmExternalLeading;
    ScrollDC(dc, 0, -line_height, nullptr, nullptr, nullptr, nullptr);

    RECT client = {0, 0, 0, 0};
    GetClientRect(text_window, &client);
    HBRUSH brush = CreateSolidBrush(GetBkColor(dc));
    HGDIOBJ old_brush = SelectObject(dc, brush);
    HGDIOBJ old_pen = SelectObject(dc, GetStockObject(NULL_PEN));
    Rectangle(dc, client.left, client.bottom - line_height, client.right, client.bottom + 1);
    SelectObject(dc, old_pen);
    SelectObject(dc, old_brush);
    DeleteObject(brush);

    size_t length = strlen(text);
    if (length > 0 && text[length - 1] == '\n') text[--length] = '\0';
    TextOutA(dc, client.left + 5, client.bottom - line_height, text, int(length));
    ReleaseDC(text_window, dc);
}

// A repaint prints the retained lines again, oldest first, each scrolling the window.
static void replay_log(HWND window) {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    int slot = log_oldest;
    for (int count = 0; slot >= 0 && !(slot == log_next && count != 0); count++) {
        char *line = static_cast<char *>(GlobalLock(log_ring[slot]));
        if (line) {
            print_log_line(line);
            GlobalUnlock(log_ring[slot]);
        }
        slot = (slot + 1) % LOG_LINES;
    }
    EndPaint(window, &paint);
}

LRESULT CALLBACK text_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_PAINT: replay_log(window); return 0;
    case WM_KEYDOWN:
    case WM_KEYUP: PostMessageA(graphics_window, message, wparam, lparam); return 0;
    case WM_SETFOCUS: sync_ctrl_key(); return 0;
    default: return DefWindowProcA(window, message, wparam, lparam);
    }
}
