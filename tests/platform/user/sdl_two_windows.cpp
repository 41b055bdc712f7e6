// A program for checking the SDL display by eye: two windows like the package's, each erased
// with its class brush and drawn into; the graphics window moves a bar on a 100 ms timer, a
// click there draws a mark, typed keys are printed. Closing the graphics window ends it, and so
// does the optional time limit (milliseconds, the first argument).
#include "platform/surface.h"
#include "platform/win.h"

#include <cstdio>
#include <cstdlib>

namespace {

HWND graphics = nullptr;
int bar = 0;

// A rectangle of one colour (0x00RRGGBB) through the window's DC: without a pen, the brush
// covers the box one pixel smaller, so the box is grown by one.
void fill(HWND window, int left, int top, int right, int bottom, uint32_t pixel) {
    HDC dc = GetDC(window);
    HBRUSH brush = CreateSolidBrush(platform::colorref_from_pixel(pixel));
    HGDIOBJ old_brush = SelectObject(dc, brush);
    HGDIOBJ old_pen = SelectObject(dc, GetStockObject(NULL_PEN));
    Rectangle(dc, left, top, right + 1, bottom + 1);
    SelectObject(dc, old_pen);
    SelectObject(dc, old_brush);
    DeleteObject(brush);
    ReleaseDC(window, dc);
}

void draw(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    // A frame one pixel inside the client edges, and a diagonal of squares.
    fill(window, 0, 0, client.right, 1, 0x000000);
    fill(window, 0, client.bottom - 1, client.right, client.bottom, 0x000000);
    fill(window, 0, 0, 1, client.bottom, 0x000000);
    fill(window, client.right - 1, 0, client.right, client.bottom, 0x000000);
    for (int i = 0; i < 8; i++)
        fill(window, 20 + i * 40, 20 + i * 20, 50 + i * 40, 40 + i * 20, 0xFF0000 >> (i % 3 * 8));
    if (window == graphics)
        fill(window, 0, 300, client.right, 320, 0xFFFFFF),
            fill(window, bar, 300, bar + 40, 320, 0x008000);
}

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(window, &ps);
        draw(window);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_TIMER:
        bar = (bar + 10) % 560;
        draw(window);
        return 0;
    case WM_LBUTTONDOWN:
        std::printf("click at %d,%d\n", LOWORD(lparam), HIWORD(lparam));
        fill(window, LOWORD(lparam) - 3, HIWORD(lparam) - 3, LOWORD(lparam) + 4, HIWORD(lparam) + 4,
             0x0000FF);
        return 0;
    case WM_CHAR: std::printf("character %d\n", int(wparam)); return 0;
    case WM_DESTROY:
        if (window == graphics) PostQuitMessage(0);
        return 0;
    default: return DefWindowProcA(window, message, wparam, lparam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int show_mode) {
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = window_proc;
    wc.hInstance = instance;
    wc.hbrBackground = CreateSolidBrush(RGB(255, 255, 224));
    wc.lpszClassName = "CheckGraphics";
    RegisterClassA(&wc);
    wc.hbrBackground = CreateSolidBrush(RGB(224, 240, 255));
    wc.lpszClassName = "CheckText";
    RegisterClassA(&wc);

    int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    graphics = CreateWindowExA(0, "CheckGraphics", "KORVA Graphics", WS_CAPTION | WS_SYSMENU, 0, 0,
                               601, 540, nullptr, nullptr, instance, nullptr);
    HWND text = CreateWindowExA(0, "CheckText", "KORVA Text", WS_OVERLAPPEDWINDOW, 0, 2 * h / 3 + 1,
                                w, h / 3, nullptr, nullptr, instance, nullptr);
    ShowWindow(text, show_mode);
    ShowWindow(graphics, show_mode);
    SetTimer(graphics, 2, 100, nullptr);
    int limit = std::atoi(command_line);
    if (limit > 0) SetTimer(nullptr, 0, UINT(limit), nullptr);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && !msg.hwnd) break; // the time limit
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
