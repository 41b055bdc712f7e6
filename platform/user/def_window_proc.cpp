// DefWindowProcA: the default handling of the messages a window procedure passes on.
#include "platform/user/internal.h"

namespace {

// Bit 29 of a key message's lParam: Alt was held.
constexpr LPARAM ALT_HELD = LPARAM(1) << 29;

} // namespace

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_NCCREATE: return TRUE;
    case WM_CLOSE: DestroyWindow(window); return 0;
    // The keyboard's way into the menu, as on Windows: F10, or Alt with a letter, becomes
    // WM_SYSCOMMAND SC_KEYMENU carrying the letter (0 for F10).
    case WM_SYSKEYDOWN:
        if (wparam == VK_F10) SendMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, 0);
        return 0;
    case WM_SYSCHAR:
        if ((lparam & ALT_HELD) && wparam != VK_ESCAPE && wparam != VK_RETURN && wparam != ' ')
            SendMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, LPARAM(wparam & 0xFF));
        return 0;
    case WM_SYSCOMMAND:
        switch (wparam & 0xFFF0) {
        case SC_CLOSE: SendMessageA(window, WM_CLOSE, 0, 0); break;
        case SC_KEYMENU: user::open_menu_by_key(window, (unsigned char)(lparam & 0xFF)); break;
        default: break;
        }
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        if (BeginPaint(window, &paint)) EndPaint(window, &paint);
        return 0;
    }
    case WM_ERASEBKGND:
        return user::erase_background(window, reinterpret_cast<HDC>(wparam)) ? 1 : 0;
    default: return 0;
    }
}
