// Key state, GetKeyState and TranslateMessage.
//
// Two copies of the state, as Windows keeps them: the state as input arrives, which decides how
// a key message is made, and the state as the program sees it, which changes when the program
// takes a key or button message off its queue. GetKeyState and TranslateMessage read the second,
// so they agree with the messages the program has handled so far. A key that changed with no
// message (while the focus was elsewhere) changes the second at once when no message of that
// key is still to be taken, as Windows brings a thread's key state up to date.
#include "platform/display/display.h"
#include "platform/user/internal.h"
#include "platform/user/reset.h"

#include <cstdint>

namespace {

constexpr uint8_t DOWN = 0x80;
constexpr uint8_t TOGGLED = 0x01;

constexpr int VK_RBUTTON_CODE = 0x02;
constexpr int VK_MBUTTON_CODE = 0x04;
constexpr WPARAM MK_RBUTTON_FLAG = 0x0002;
constexpr WPARAM MK_SHIFT_FLAG = 0x0004;
constexpr WPARAM MK_CONTROL_FLAG = 0x0008;
constexpr WPARAM MK_MBUTTON_FLAG = 0x0010;

struct KeyState {
    uint8_t keys[256] = {};

    bool down(int vk) const { return keys[vk & 0xFF] & DOWN; }
    bool toggled(int vk) const { return keys[vk & 0xFF] & TOGGLED; }

    // A press toggles the key (Caps Lock's light); an auto-repeat does not.
    void set(int vk, bool is_down) {
        uint8_t &k = keys[vk & 0xFF];
        if (is_down) {
            if (!(k & DOWN)) k ^= TOGGLED;
            k |= DOWN;
        } else {
            k &= uint8_t(~DOWN);
        }
    }

    // Shift, Ctrl and Alt arrive with their generic codes; the scan code tells left from right,
    // and the generic key is down while either side is.
    void apply(int vk, int scan_code, bool is_down) {
        int left = 0, right = 0, side = 0;
        switch (vk) {
        case VK_SHIFT:
            left = VK_LSHIFT, right = VK_RSHIFT;
            side = (scan_code & 0xFF) == 0x36 ? right : left;
            break;
        case VK_CONTROL:
            left = VK_LCONTROL, right = VK_RCONTROL;
            side = (scan_code & 0x100) ? right : left;
            break;
        case VK_MENU:
            left = VK_LMENU, right = VK_RMENU;
            side = (scan_code & 0x100) ? right : left;
            break;
        default: set(vk, is_down); return;
        }
        set(side, is_down);
        set(vk, down(left) || down(right));
    }
};

KeyState arriving; // as input arrives
KeyState taken;    // as the program has taken its messages

int button_key(int button) {
    switch (button) {
    case 1: return VK_LBUTTON;
    case 2: return VK_MBUTTON_CODE;
    case 3: return VK_RBUTTON_CODE;
    default: return 0;
    }
}

// What a key gives with Ctrl (and without Alt), as Windows translates it on a US keyboard: a
// letter its control character 1 to 26 whatever the Shift state; the bracket and backslash
// keys 27, 29 and 28; Shift with 6 and with minus 30 and 31; Return a line feed; Backspace
// DEL; the space bar a space. Other keys give nothing with Ctrl.
unsigned char control_character(int vk, bool shift) {
    if (vk >= 'A' && vk <= 'Z') return (unsigned char)(vk - 'A' + 1);
    switch (vk) {
    case VK_OEM_4: return shift ? 0 : 0x1B;
    case VK_OEM_5:
    case VK_OEM_102: return shift ? 0 : 0x1C;
    case VK_OEM_6: return shift ? 0 : 0x1D;
    case '6': return shift ? 0x1E : 0;
    case VK_OEM_MINUS: return shift ? 0x1F : 0;
    case VK_RETURN: return shift ? 0 : '\n';
    case VK_BACK: return shift ? 0 : 0x7F;
    case VK_SPACE: return ' ';
    default: return 0;
    }
}

} // namespace

namespace user {

void note_key_event(int virtual_key, int scan_code, bool down) {
    arriving.apply(virtual_key, scan_code, down);
}

void note_unseen_key_event(int virtual_key, int scan_code, bool down) {
    bool message_in_flight = taken.down(virtual_key) != arriving.down(virtual_key);
    arriving.apply(virtual_key, scan_code, down);
    if (!message_in_flight) taken.apply(virtual_key, scan_code, down);
}

bool key_down_now(int virtual_key) {
    return arriving.down(virtual_key);
}

void key_taken_by_menu(int virtual_key, int scan_code, bool down) {
    taken.apply(virtual_key & 0xFF, scan_code, down);
}

void note_button_event(int button, bool down) {
    if (int vk = button_key(button)) arriving.set(vk, down);
}

WPARAM mouse_key_flags() {
    WPARAM flags = 0;
    if (arriving.down(VK_LBUTTON)) flags |= MK_LBUTTON;
    if (arriving.down(VK_RBUTTON_CODE)) flags |= MK_RBUTTON_FLAG;
    if (arriving.down(VK_MBUTTON_CODE)) flags |= MK_MBUTTON_FLAG;
    if (arriving.down(VK_SHIFT)) flags |= MK_SHIFT_FLAG;
    if (arriving.down(VK_CONTROL)) flags |= MK_CONTROL_FLAG;
    return flags;
}

void message_taken(const MSG &msg) {
    int scan_code = int((msg.lParam >> 16) & 0xFF) | int(((msg.lParam >> 24) & 1) << 8);
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: taken.apply(int(msg.wParam & 0xFF), scan_code, true); break;
    case WM_KEYUP:
    case WM_SYSKEYUP: taken.apply(int(msg.wParam & 0xFF), scan_code, false); break;
    case WM_LBUTTONDOWN: taken.set(VK_LBUTTON, true); break;
    case WM_LBUTTONUP: taken.set(VK_LBUTTON, false); break;
    case WM_RBUTTONDOWN: taken.set(VK_RBUTTON_CODE, true); break;
    case WM_RBUTTONUP: taken.set(VK_RBUTTON_CODE, false); break;
    case WM_MBUTTONDOWN: taken.set(VK_MBUTTON_CODE, true); break;
    case WM_MBUTTONUP: taken.set(VK_MBUTTON_CODE, false); break;
    default: break;
    }
}

} // namespace user

short GetKeyState(int virtual_key) {
    if (virtual_key < 0 || virtual_key > 0xFF) return 0;
    int state = (taken.down(virtual_key) ? 0xFF80 : 0) | (taken.toggled(virtual_key) ? 1 : 0);
    return short(state);
}

BOOL TranslateMessage(const MSG *msg) {
    if (!msg) return FALSE;
    switch (msg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: break;
    case WM_KEYUP:
    case WM_SYSKEYUP: return TRUE;
    default: return FALSE;
    }
    int vk = int(msg->wParam & 0xFF);
    int scan_code = int((msg->lParam >> 16) & 0xFF) | int(((msg->lParam >> 24) & 1) << 8);
    bool ctrl = taken.down(VK_CONTROL), alt = taken.down(VK_MENU);
    unsigned char character =
        ctrl && !alt ? control_character(vk, taken.down(VK_SHIFT))
                     : display::backend().typed_character(vk, scan_code, taken.down(VK_SHIFT),
                                                          taken.toggled(VK_CAPITAL), ctrl && alt);
    if (character)
        PostMessageA(msg->hwnd, msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR, character,
                     msg->lParam);
    return TRUE;
}

void user::reset_keyboard() {
    arriving = KeyState{};
    taken = KeyState{};
}

namespace {
KeyState saved_arriving, saved_taken;
}

void user::save_keyboard() {
    saved_arriving = arriving;
    saved_taken = taken;
}

void user::restore_keyboard() {
    arriving = saved_arriving;
    taken = saved_taken;
}
