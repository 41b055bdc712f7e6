// Key events that the window system makes up when the focus moves change the key state but
// send no key messages, as under Windows: a Ctrl released elsewhere gives no key-up, though
// GetKeyState tells it is up, and an Alt released elsewhere does not make later keys system keys.
#include "../../user/user_test_support.h"

#include <deque>

using namespace user_test;

namespace {

// The virtual display, with key events that the window system made up.
class MadeUpKeysDisplay : public virtual_display::Display {
  public:
    using Display::Display;

    void key(int window, int virtual_key, int scan_code, bool down, bool made_up) {
        display::InputEvent e;
        e.kind = down ? display::InputKind::KeyDown : display::InputKind::KeyUp;
        e.window = window;
        e.virtual_key = virtual_key;
        e.scan_code = scan_code;
        e.synthetic = made_up;
        keys_.push_back(e);
    }

    bool poll_input(display::InputEvent &event) override {
        if (keys_.empty()) return Display::poll_input(event);
        event = keys_.front();
        keys_.pop_front();
        return true;
    }

  private:
    std::deque<display::InputEvent> keys_;
};

constexpr int SCAN_CTRL = 0x1D, SCAN_ALT = 0x38, SCAN_H = 0x23, SCAN_R = 0x13;

class FocusKeys : public UserTest {
  protected:
    void SetUp() override {
        auto owned = std::make_unique<MadeUpKeysDisplay>(1024, 768);
        keys = owned.get();
        display::install(std::move(owned));
        WNDCLASSA wc{};
        wc.lpfnWndProc = recording_proc;
        wc.lpszClassName = "TestClass";
        ASSERT_NE(RegisterClassA(&wc), 0);
        window = create_shown("W");
        received.clear();
    }

    void TearDown() override { received.clear(); }

    std::vector<UINT> key_messages() {
        return messages_of(window,
                           {WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_CHAR, WM_SYSCHAR});
    }

    MadeUpKeysDisplay *keys = nullptr;
    HWND window = nullptr;
};

} // namespace

TEST_F(FocusKeys, AMadeUpReleaseSendsNoKeyUp) {
    int w = keys->find_window("W");
    keys->key(w, VK_CONTROL, SCAN_CTRL, true, false);
    pump();
    EXPECT_LT(GetKeyState(VK_CONTROL), 0);
    keys->key(w, VK_CONTROL, SCAN_CTRL, false, true); // the focus went elsewhere
    pump();
    EXPECT_EQ(key_messages(), (std::vector<UINT>{WM_KEYDOWN}));
    // No key-up, but the key state is brought up to date, as Windows does for a thread with no
    // key message still to take.
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);
    // The next real Ctrl release is a key-up as usual.
    keys->key(w, VK_CONTROL, SCAN_CTRL, true, true);
    keys->key(w, VK_CONTROL, SCAN_CTRL, false, false);
    pump();
    EXPECT_EQ(key_messages(), (std::vector<UINT>{WM_KEYDOWN, WM_KEYUP}));
}

TEST_F(FocusKeys, AMadeUpPressSendsNoKeyDown) {
    int w = keys->find_window("W");
    keys->key(w, VK_CONTROL, SCAN_CTRL, true, true); // held when the focus came
    keys->key(w, 'H', SCAN_H, true, false);
    pump();
    EXPECT_EQ(key_messages(), (std::vector<UINT>{WM_KEYDOWN, WM_CHAR}));
    for (const Received &r : received) {
        if (r.message == WM_KEYDOWN) {
            EXPECT_EQ(r.wparam, WPARAM('H'));
        }
    }
}

TEST_F(FocusKeys, AltReleasedElsewhereNoLongerMakesSystemKeys) {
    // Alt+Tab: Alt goes down here, the window manager takes Tab and the focus, Alt comes up in
    // another program. Back here, R is a plain key, not Alt+R.
    int w = keys->find_window("W");
    keys->key(w, VK_MENU, SCAN_ALT, true, false);
    keys->key(w, VK_MENU, SCAN_ALT, false, true);
    keys->key(w, 'R', SCAN_R, true, false);
    keys->key(w, 'R', SCAN_R, false, false);
    pump();
    EXPECT_EQ(key_messages(), (std::vector<UINT>{WM_SYSKEYDOWN, WM_KEYDOWN, WM_CHAR, WM_KEYUP}));
}
