// What the SDL display takes from the window system beneath SDL, beyond what SDL gives: errors
// that must not end the program, key events SDL makes up, the desktop's dots per inch and the
// keyboard layout. On X11 these come from x11/, which is built where X11 is there and used when
// SDL runs on its X11 driver; without it the display takes SDL's key events as they come and
// types with the US layout.
#pragma once

#include <cstdint>
#include <memory>

namespace sdl_display {

// The characters of a keyboard layout: what TranslateMessage needs to turn a key-down into a
// character as Windows' layout would, dead keys included.
class KeyboardLayout {
  public:
    virtual ~KeyboardLayout() = default;
    // Reads the layout again, after the user changed it or switched to another group.
    virtual void reload() = 0;
    // The code page 1252 character that the key with this set-1 scan code (bit 8: extended)
    // types with these modifiers, or 0: for keys that type nothing, characters the code page
    // lacks, dead keys, and AltGr with a key that has no AltGr character.
    virtual unsigned char character(int scan_code, bool shift, bool caps_lock, bool altgr,
                                    bool num_lock) const = 0;
    // The character of a key-down in the order keys are typed: as `character`, but a dead key
    // types nothing and begins a sequence that the next keys end.
    virtual unsigned char typed(int scan_code, bool shift, bool caps_lock, bool altgr,
                                bool num_lock) = 0;
    // The right Alt key is AltGr in this layout.
    virtual bool right_alt_is_altgr() const = 0;
};

// What the window system adds, once SDL's video runs.
struct WindowSystem {
    // The event type that SDL's made-up key events come as instead of key events (carrying the
    // SDL scan code in `user.code`, the window in `user.windowID` and whether the key went down
    // in `user.data1`), or 0: they come as key events.
    uint32_t made_up_key_events = 0;
    int dpi = 0;                            // the desktop's dots per inch, 0 when it tells none
    std::unique_ptr<KeyboardLayout> layout; // null: none known
};

// Before SDL's video starts: what must be in place before SDL takes the window system over.
void prepare_window_system();

// After SDL's video has started on `video_driver` (SDL_GetCurrentVideoDriver).
WindowSystem window_system(const char *video_driver);

// When the connection to the window system breaks (on X11: the X server ended), `handler` runs
// once and the process then ends at once with status 1. Without X11 this does nothing.
void when_window_system_lost(void (*handler)());

} // namespace sdl_display
