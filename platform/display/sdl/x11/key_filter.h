// Key events that SDL makes up on X11, told from those that key presses made.
//
// When a window loses the focus, SDL releases every key it thinks held, and when one gains it,
// SDL presses the modifiers the server reports held. Windows sends no key messages at those
// moments, and the package relies on that: a Ctrl released while another program has the focus
// leaves its Ctrl flag set. Every key press and release comes from an X event, which SDL shows
// (as a window-system event) just before the key event it makes of it; a key event without one
// is made up.
#pragma once

#include <SDL.h>

namespace sdl_display {

class KeyOrigin {
  public:
    // An X event, as SDL takes it from the server: its type (KeyPress 2, KeyRelease 3, ...).
    void x_event(int type) { last_x_event_ = type; }

    // SDL made a key event: true when the X event just before it is that press or release.
    bool from_key_event(bool down) {
        bool real = last_x_event_ == (down ? KEY_PRESS : KEY_RELEASE);
        last_x_event_ = 0;
        return real;
    }

  private:
    static constexpr int KEY_PRESS = 2, KEY_RELEASE = 3;
    int last_x_event_ = 0;
};

// On X11: watches SDL's events as they are made and replaces each made-up key event by an event
// of the returned type, carrying the SDL scan code in `user.code`, the window in `user.windowID`
// and whether the key went down in `user.data1` (non-null). 0 when not on X11 or when SDL has no
// event type to spare; key events then pass unchanged.
Uint32 mark_made_up_key_events();

} // namespace sdl_display
