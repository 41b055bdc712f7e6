// The keyboard focus and the order in which windows were activated.
//
// Windows gives the focus to the window it activates, and a newly shown window is activated; when
// the active window goes away, the one activated before it takes its place.
#include "platform/user/internal.h"
#include "platform/user/reset.h"

#include <algorithm>
#include <vector>

namespace {

HWND focus = nullptr;
std::vector<HWND> activation_order; // visible windows, most recently activated last

void forget_activation(HWND window) {
    std::erase(activation_order, window);
}

} // namespace

namespace user {

void window_shown(HWND window, bool activate) {
    if (!activate) {
        if (std::find(activation_order.begin(), activation_order.end(), window) ==
            activation_order.end())
            activation_order.insert(activation_order.begin(), window);
        return;
    }
    forget_activation(window);
    activation_order.push_back(window);
    if (focus != window) SetFocus(window);
}

void window_hidden(HWND window) {
    forget_activation(window);
    if (focus != window) return;
    HWND next = nullptr;
    for (auto it = activation_order.rbegin(); it != activation_order.rend() && !next; ++it)
        if (IsWindowVisible(*it)) next = *it;
    SetFocus(next);
}

void backend_focus_changed(HWND window, bool gained) {
    if (gained) {
        forget_activation(window);
        activation_order.push_back(window);
        if (focus != window) SetFocus(window);
    } else if (focus == window) {
        SetFocus(nullptr);
    }
}

} // namespace user

HWND SetFocus(HWND window) {
    if (window && !user::find_window(window)) return nullptr;
    HWND previous = focus;
    if (previous == window) return previous;
    focus = window;
    if (previous) SendMessageA(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
    // The old window's handling may have moved the focus again; only a window that still has it
    // is told it got it.
    if (window && focus == window)
        SendMessageA(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    return previous;
}

HWND GetFocus(void) {
    // A focus window destroyed meanwhile is no focus.
    if (focus && !user::find_window(focus)) focus = nullptr;
    return focus;
}

void user::reset_focus() {
    focus = nullptr;
    activation_order.clear();
}

namespace {
HWND saved_focus = nullptr;
std::vector<HWND> saved_activation_order;
} // namespace

void user::save_focus() {
    saved_focus = focus;
    saved_activation_order = activation_order;
}

void user::restore_focus() {
    focus = saved_focus;
    activation_order = saved_activation_order;
}
