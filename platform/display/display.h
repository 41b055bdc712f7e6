// The display backend: where windows appear, where input and time come from.
//
// The window layer (platform/user) is written against this one small interface; each backend
// lives in its own folder: sdl/ (real windows, real input, real time) and virtual/ (in memory,
// for tests and the headless runner: time moves only when told).
#pragma once

#include "platform/surface.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>

namespace display {

enum class InputKind {
    MouseDown,    // button, x, y (pixels of the window's content: menu bar and client area)
    MouseUp,      // button, x, y
    MouseMove,    // x, y
    KeyDown,      // virtual_key, scan_code, repeat
    KeyUp,        // virtual_key, scan_code
    Text,         // character: one code page 1252 character typed that no key press gives
    CloseRequest, // the window's close box
    Exposed,      // the window's content must be repainted
    Resized,      // x, y: the new content size
    FocusGained,
    FocusLost,
    QuitRequest, // the program is asked to end from outside its windows (Ctrl+C, kill)
};

struct InputEvent {
    InputKind kind = InputKind::Exposed;
    int window = 0; // the backend's window id
    int x = 0, y = 0;
    int button = 0;      // 1 left, 2 middle, 3 right
    int virtual_key = 0; // Windows virtual-key code
    int scan_code = 0;   // set-1 scan code; bit 8 marks an extended key
    bool repeat = false; // an auto-repeated key-down
    // A key change that no key press or release in the program's windows made: the window system
    // bringing its key state up to date when the focus moves. It changes the key state only.
    bool synthetic = false;
    unsigned char character = 0;
};

// Windows reports AltGr as Ctrl+Alt: a left Ctrl change goes with each AltGr change, Ctrl first
// when the key goes down and last when it comes up. `altgr` (the AltGr key's own event) becomes
// the first of the two, and the second is queued at the end of `pending`.
void add_ctrl_of_altgr(InputEvent &altgr, bool down, std::deque<InputEvent> &pending);

// Where a window sits. The outer rectangle is the whole window as Windows would draw it; the
// content (menu bar plus client area) lies inside it at (content_x, content_y), the room left
// for an emulated caption and frame. A backend whose window manager draws real decorations of
// another size keeps the outer top-left where asked, as far as the window manager allows.
struct Placement {
    int x = 0, y = 0;                 // outer top-left, screen pixels
    int content_x = 0, content_y = 0; // content's offset from the outer top-left
    int width = 0, height = 0;        // content size
};

// Milliseconds; the virtual clock starts at 0.
using Time = uint64_t;
constexpr Time NEVER = UINT64_MAX;

class Backend {
  public:
    virtual ~Backend() = default;

    virtual int screen_width() = 0;
    virtual int screen_height() = 0;

    // A new hidden window; returns its id, or 0 when none can be made. `resizable`: the user
    // may resize it.
    virtual int create_window(const std::string &title, const Placement &placement,
                              bool resizable) = 0;
    virtual void destroy_window(int window) = 0;
    virtual void show_window(int window, bool shown) = 0;
    virtual void set_title(int window, const std::string &title) = 0;
    virtual void place_window(int window, const Placement &placement) = 0;

    // Shows `content` as the window's whole content.
    virtual void present(int window, const platform::Surface &content) = 0;

    // Takes the next input event, if any, without waiting.
    virtual bool poll_input(InputEvent &event) = 0;

    virtual Time now() = 0;

    // Sleeps until input arrives or the clock reaches `deadline` (NEVER: no deadline).
    virtual void wait(Time deadline) = 0;

    // The code page 1252 character a key gives with the given modifiers under the current
    // keyboard layout, or 0.
    virtual unsigned char key_character(int virtual_key, int scan_code, bool shift, bool caps_lock,
                                        bool altgr) = 0;

    // The character a key-down types, in the order keys are typed: like key_character, but a
    // dead key types nothing and composes with the key after it (an acute accent, then e: é).
    virtual unsigned char typed_character(int virtual_key, int scan_code, bool shift,
                                          bool caps_lock, bool altgr) {
        return key_character(virtual_key, scan_code, shift, caps_lock, altgr);
    }

    // A menu of the window opened or closed; it has the mouse and the keyboard while open.
    virtual void menu_shown(int window, bool open) {
        (void)window;
        (void)open;
    }
};

// Sleeps on the backend in use until input arrives or the clock reaches `deadline`:
// backend().wait(deadline). The web build makes it a direct call on the web display, so that
// Asyncify sees the path from the program's wait to the browser.
void wait_for_input(Time deadline);

// The backend in use; the program's entry installs one before WinMain runs.
Backend &backend();
void install(std::unique_ptr<Backend> backend);
bool installed();
// Takes the backend in use out, leaving none installed: for a wrapper that installs itself
// around it.
std::unique_ptr<Backend> take();

} // namespace display
