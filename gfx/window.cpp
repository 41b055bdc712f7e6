// The package's windows: opening and closing, the graphics window's messages, the text window.
#include "gfx/state.h"

#include <cstdio>
#include <cstdlib>

// Both classes share one record; only the name and the procedure differ.
static void register_window_classes(HINSTANCE instance) {
    WNDCLASSA window_class = {};
    window_class.style = CS_HREDRAW | CS_VREDRAW;
    window_class.lpfnWndProc = graphics_window_proc;
    window_class.cbClsExtra = 0;
    window_class.cbWndExtra = 0;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.hbrBackground = CreateSolidBrush(palette[WHITE]);
    window_class.lpszMenuName = "generic";
    window_class.lpszClassName = "DrawWndClass";
    RegisterClassA(&window_class);

    window_class.lpfnWndProc = text_window_proc;
    window_class.lpszClassName = "TextWndClass";
    RegisterClassA(&window_class);
}

// Without its windows or its canvas the program could only wait forever for events that never
// come: it says why and ends.
static void require(bool made, const char *what) {
    if (made) return;
    fprintf(stderr, "gfx_open: cannot create %s; the program ends\n", what);
    exit(1);
}

int gfx_open(HINSTANCE instance, HINSTANCE previous_instance, LPSTR, int show_mode) {
    if (!previous_instance) register_window_classes(instance);
    int screen_width = GetSystemMetrics(SM_CXSCREEN);
    int screen_height = GetSystemMetrics(SM_CYSCREEN);
    running = 0;
    single_step = 0;

    graphics_window =
        CreateWindowExA(0, "DrawWndClass", "KORVA Graphics", WS_CAPTION | WS_SYSMENU, 0, 0,
                        CANVAS_WIDTH, CANVAS_HEIGHT, nullptr, nullptr, instance, nullptr);
    require(graphics_window != nullptr, "the window \"KORVA Graphics\"");
    text_window = CreateWindowExA(0, "TextWndClass", "KORVA Text", WS_OVERLAPPEDWINDOW, 0,
                                  (2 * screen_height) / 3 + 1, screen_width, screen_height / 3,
                                  nullptr, nullptr, instance, nullptr);
    require(text_window != nullptr, "the window \"KORVA Text\"");

    window_dc = GetDC(graphics_window);
    canvas.image = CreateCompatibleBitmap(window_dc, CANVAS_WIDTH, CANVAS_HEIGHT);
    canvas.dc = CreateCompatibleDC(window_dc);
    require(window_dc && canvas.image && canvas.dc && SelectObject(canvas.dc, canvas.image),
            "the canvas");

    ShowWindow(text_window, show_mode);
    ShowWindow(graphics_window, show_mode);
    SetTimer(graphics_window, ANIMATION_TIMER_ID, ANIMATION_PERIOD_MS, nullptr);
    return 1;
}

// The window's drawing context goes back to the platform; forgetting it makes every later copy
// of the canvas to the window a harmless no-op instead of a use of a released context.
int gfx_close() {
    ReleaseDC(graphics_window, window_dc);
    window_dc = nullptr;
    close_script_file();
    return 1;
}

int show_text_window(int show) {
    return ShowWindow(text_window, show ? SW_SHOW : SW_HIDE);
}

// The origin is the centre of the client area, rounded down.
static void update_origin(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    origin_x = client.left + (client.right - client.left) / 2;
    origin_y = client.top + (client.bottom - client.top) / 2;
}

// A paint copies the whole canvas through the kept window DC, so the whole client area is
// refreshed, not only the part that was invalid.
static void paint_graphics_window(HWND window) {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    copy_canvas_to_window();
    EndPaint(window, &paint);
    canvas_dirty = 0;
}

LRESULT CALLBACK graphics_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CREATE: build_run_menu(window); return 0;
    case WM_DESTROY:
    case WM_QUIT:
        KillTimer(window, ANIMATION_TIMER_ID);
        PostQuitMessage(0);
        return 0;
    case WM_SIZE: update_origin(window); return 0;
    case WM_PAINT: paint_graphics_window(window); return 0;
    case WM_KEYDOWN: handle_key_down(wparam, lparam); return 0;
    case WM_KEYUP: handle_key_up(wparam); return 0;
    case WM_COMMAND: run_command(wparam); return 0;
    case WM_CHAR: handle_character(wparam); return 0;
    case WM_TIMER: handle_timer(); return 0;
    case WM_SETFOCUS: sync_ctrl_key(); return 0;
    case WM_ENDSESSION:
        // The session ends, and the process with it, without a quit message: the recording is
        // completed now.
        if (wparam) finish_recording();
        return 0;
    case WM_LBUTTONDOWN: handle_left_button(lparam); return 0;
    default: return DefWindowProcA(window, message, wparam, lparam);
    }
}
