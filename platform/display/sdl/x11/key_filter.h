// Key events that SDL makes up on X11, told from those that key presses made.
//
// When a window loses the focus, SDL releases every key it thinks held, and when one gains it
// (and when the server tells the keyboard's state), SDL presses the keys the server reports
// held. Windows sends no key messages at those moments (it only brings the key state up to
// date), and programs rely on that: a key-up they never saw the key-down of would confuse them.
// Every key press and release comes from an X event, which SDL shows (as a window-system event)
// just before the key event it makes of it, except a press that the input method took (a dead
// key, and the key that completes it): SDL makes its key event without showing the X event. So a
// key event without its X event is made up, unless it is a press outside those catch-ups.
#pragma once

#include <SDL.h>

namespace sdl_display {

class KeyOrigin {
  public:
    // An X event, as SDL takes it from the server: its type (KeyPress 2, KeyRelease 3, ...).
    void x_event(int type) {
        last_x_event_ = type;
        catching_up_ = type == FOCUS_IN || type == KEYMAP_NOTIFY;
    }

    // SDL tells that a window gained the focus; the presses of the keys held follow.
    void focus_gained() {
        last_x_event_ = 0;
        catching_up_ = true;
    }

    // SDL made a key event: true when a key press or release made it.
    bool from_key_event(bool down) {
        bool real = last_x_event_ == (down ? KEY_PRESS : KEY_RELEASE) || (down && !catching_up_);
        last_x_event_ = 0;
        return real;
    }

  private:
    static constexpr int KEY_PRESS = 2, KEY_RELEASE = 3, FOCUS_IN = 9, KEYMAP_NOTIFY = 11;
    int last_x_event_ = 0;
    bool catching_up_ = false;
};

// On X11: watches SDL's events as they are made and replaces each made-up key event by an event
// of the returned type, carrying the SDL scan code in `user.code`, the window in `user.windowID`
// and whether the key went down in `user.data1` (non-null). 0 when not on X11 or when SDL has no
// event type to spare; key events then pass unchanged.
Uint32 mark_made_up_key_events();

} // namespace sdl_display
