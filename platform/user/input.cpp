// Input from the display backend, turned into messages for the window it belongs to.
#include "platform/display/display.h"
#include "platform/user/internal.h"

namespace {

// Bits of a key message's lParam.
constexpr LPARAM EXTENDED_BIT = LPARAM(1) << 24;
constexpr LPARAM CONTEXT_BIT = LPARAM(1) << 29;    // Alt was down
constexpr LPARAM PREVIOUS_BIT = LPARAM(1) << 30;   // the key was down before this message
constexpr LPARAM TRANSITION_BIT = LPARAM(1) << 31; // the key is being released

LPARAM client_point(int x, int y) {
    return MAKELPARAM(x & 0xFFFF, y & 0xFFFF);
}

void mouse_button(const display::InputEvent &event, HWND window, const user::Window &w) {
    bool down = event.kind == display::InputKind::MouseDown;
    user::note_button_event(event.button, down);
    if (user::menu_takes_mouse(event)) return;
    // Rows above the client area belong to the menu bar.
    if (event.y < w.menu_bar_height) return;
    UINT message;
    switch (event.button) {
    case 1: message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP; break;
    case 2: message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP; break;
    case 3: message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP; break;
    default: return;
    }
    user::queue_input_message(window, message, user::mouse_key_flags(),
                              client_point(event.x, event.y - w.menu_bar_height));
}

// Windows sends keys pressed with Alt (but not with Ctrl too: that is AltGr), Alt itself and F10
// as system keys, which programs leave to the menu.
void key(const display::InputEvent &event, HWND fallback) {
    bool down = event.kind == display::InputKind::KeyDown;
    int vk = event.virtual_key & 0xFF;
    // Windows sends no key messages when the focus moves, whatever keys are held: a key
    // released after our windows lost the focus gives no key-up, and one held when they gain it
    // gives no key-down. The key state still follows, so that Alt let go elsewhere (after
    // Alt+Tab) does not make later keys system keys, and GetKeyState tells Ctrl's true state.
    if (event.synthetic) {
        user::note_unseen_key_event(vk, event.scan_code, down);
        return;
    }
    bool was_down = user::key_down_now(vk);
    if (down) user::note_key_event(vk, event.scan_code, true);
    bool alt = user::key_down_now(VK_MENU);
    bool system = vk == VK_F10 || (alt && !user::key_down_now(VK_CONTROL));
    if (!down) user::note_key_event(vk, event.scan_code, false);
    if (user::menu_takes_key(event)) return;

    HWND target = GetFocus() ? GetFocus() : fallback;
    if (!target) return;
    LPARAM lparam = 1 | (LPARAM(event.scan_code & 0xFF) << 16);
    if (event.scan_code & 0x100) lparam |= EXTENDED_BIT;
    if (alt && system) lparam |= CONTEXT_BIT;
    if (!down || was_down || event.repeat) lparam |= PREVIOUS_BIT;
    if (!down) lparam |= TRANSITION_BIT;
    UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    user::queue_input_message(target, message, WPARAM(vk), lparam);
}

void handle(const display::InputEvent &event) {
    user::Window *w = user::find_window_by_display(event.window);
    HWND window = w ? w->handle : nullptr;
    switch (event.kind) {
    case display::InputKind::MouseDown:
    case display::InputKind::MouseUp:
        if (w) mouse_button(event, window, *w);
        break;
    case display::InputKind::MouseMove: user::menu_takes_mouse(event); break;
    case display::InputKind::KeyDown:
    case display::InputKind::KeyUp: key(event, window); break;
    case display::InputKind::Text: {
        if (user::menu_is_open()) break; // typing belongs to the open menu
        HWND target = GetFocus() ? GetFocus() : window;
        if (target && event.character)
            user::queue_input_message(target, WM_CHAR, event.character, 1);
        break;
    }
    case display::InputKind::CloseRequest:
        if (w) user::queue_input_message(window, WM_CLOSE, 0, 0);
        break;
    case display::InputKind::Exposed:
        if (w) {
            user::invalidate_window(*w, true);
            w->surface->changed = true;
        }
        break;
    case display::InputKind::Resized:
        if (w) user::content_resized(window, event.x, event.y);
        break;
    case display::InputKind::FocusGained:
    case display::InputKind::FocusLost:
        if (w) user::backend_focus_changed(window, event.kind == display::InputKind::FocusGained);
        break;
    // Ended from outside, the program ends as it would by its own Quit command.
    case display::InputKind::QuitRequest: PostQuitMessage(0); break;
    }
}

} // namespace

namespace user {

bool collect_input() {
    uint64_t before = input_messages_queued();
    display::InputEvent event;
    while (input_messages_queued() == before && display::backend().poll_input(event)) {
        check_open_menu(); // handling the last event may have run a window procedure
        handle(event);
    }
    return input_messages_queued() != before;
}

} // namespace user
