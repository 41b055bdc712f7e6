// Shared by the window layer's tests: a virtual display, and a window procedure that records
// every message it receives before passing it to DefWindowProcA.
#pragma once

#include "platform/display/virtual/virtual_display.h"
#include "platform/gdi/objects.h"
#include "platform/user/window_table.h"
#include "platform/win.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace user_test {

struct Received {
    HWND window;
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
};

inline std::vector<Received> received;
// Handles a message instead of DefWindowProcA when it returns a value.
inline std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)> override_handling;
// Whether CreateWindowExA had returned when WM_CREATE arrived.
inline bool creation_returned = false;

inline LRESULT CALLBACK recording_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    received.push_back({window, message, wparam, lparam});
    if (override_handling)
        if (std::optional<LRESULT> result = override_handling(window, message, wparam, lparam))
            return *result;
    return DefWindowProcA(window, message, wparam, lparam);
}

// The messages received so far, of the given kinds only (all kinds when empty).
inline std::vector<UINT> messages_of(HWND window, std::vector<UINT> kinds = {}) {
    std::vector<UINT> out;
    for (const Received &r : received) {
        if (r.window != window) continue;
        if (kinds.empty() || std::find(kinds.begin(), kinds.end(), r.message) != kinds.end())
            out.push_back(r.message);
    }
    return out;
}

inline int count_of(HWND window, UINT message) {
    return int(std::count_if(received.begin(), received.end(), [&](const Received &r) {
        return r.window == window && r.message == message;
    }));
}

constexpr COLORREF BACKGROUND = RGB(10, 120, 200);

// A window's client area as its DCs draw on it, for tests that set or read its pixels directly.
struct ClientArea {
    platform::Surface *surface = nullptr;
    int width = 0, height = 0;
    uint32_t &at(int x, int y) {
        return surface->row(y + surface->origin_y)[x + surface->origin_x];
    }
    // Marks the window's pixels changed, as drawing through a DC does.
    void changed() { surface->changed = true; }
};
// False when the window does not exist or has no client pixels to draw on (hidden, no size).
inline bool client_area(HWND window, ClientArea &area) {
    user::Window *w = user::find_window(window);
    if (!w) return false;
    platform::Rect drawable = platform::intersect(w->surface->clip, w->surface->bounds());
    if (drawable.empty()) return false;
    area = ClientArea{w->surface.get(), int(drawable.right - drawable.left),
                      int(drawable.bottom - drawable.top)};
    return true;
}

class UserTest : public ::testing::Test {
  protected:
    void SetUp() override {
        display = &virtual_display::install();
        WNDCLASSA wc{};
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = recording_proc;
        wc.hbrBackground = CreateSolidBrush(BACKGROUND);
        wc.lpszClassName = "TestClass";
        ASSERT_NE(RegisterClassA(&wc), 0);
    }

    HWND create(const char *title = "Test", DWORD style = WS_CAPTION | WS_SYSMENU, int x = 0,
                int y = 0, int width = 601, int height = 540) {
        return CreateWindowExA(0, "TestClass", title, style, x, y, width, height, nullptr, nullptr,
                               nullptr, nullptr);
    }

    HWND create_shown(const char *title = "Test") {
        HWND window = create(title);
        ShowWindow(window, SW_SHOW);
        return window;
    }

    int display_of(const char *title) { return display->find_window(title); }

    // Takes and dispatches every message that is due now; returns how many.
    int pump() {
        int count = 0;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            count++;
        }
        return count;
    }

    virtual_display::Display *display = nullptr;
};

} // namespace user_test
