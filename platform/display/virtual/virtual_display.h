// The virtual display: windows in memory, a clock that moves only when told, input fed by the
// caller. Tests and the headless runner drive a program through it: the program runs until it
// is idle (it waits with nothing due); then the driver, called as the idle handler, takes its next
// action. The same actions always give the same pixels.
#pragma once

#include "platform/display/display.h"
#include "platform/surface.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace virtual_display {

struct Window {
    int id = 0;
    std::string title;
    display::Placement placement;
    bool resizable = false;
    bool shown = false;
    bool alive = true;
    platform::Surface presented; // the content as last presented
    int present_count = 0;
};

// Called when the program waits and no input is queued, with the deadline it waits for
// (display::NEVER: none). It may feed input or move the clock, up to the deadline or less.
using IdleHandler = std::function<void(display::Time deadline)>;

// Called when a window is about to show new content, while its `presented` still holds what it
// showed until now (a recorder of the window's pictures needs both).
using PresentObserver = std::function<void(int window)>;

class Display : public display::Backend {
  public:
    Display(int screen_width, int screen_height);

    // ---- The backend ----
    int screen_width() override { return screen_width_; }
    int screen_height() override { return screen_height_; }
    int create_window(const std::string &title, const display::Placement &placement,
                      bool resizable) override;
    void destroy_window(int window) override;
    void show_window(int window, bool shown) override;
    void set_title(int window, const std::string &title) override;
    void place_window(int window, const display::Placement &placement) override;
    void present(int window, const platform::Surface &content) override;
    bool poll_input(display::InputEvent &event) override;
    display::Time now() override { return clock_; }
    // Without input queued: calls the idle handler; if it neither fed input nor moved the clock,
    // the clock moves to the deadline. Waiting forever with nothing to wake the program is a bug
    // of the driver: it aborts with a message.
    void wait(display::Time deadline) override;
    unsigned char key_character(int virtual_key, int scan_code, bool shift, bool caps_lock,
                                bool altgr) override;
    void menu_shown(int window, bool open) override;

    // ---- Windows ----
    // The live window with this title, or 0.
    int find_window(const std::string &title) const;
    // Any window ever created (destroyed ones stay, with alive cleared), or null.
    const Window *window(int id) const;
    // The window that keyboard input goes to: the last shown or clicked one; 0 for none.
    int focused_window() const { return focused_; }
    // The window whose menu is open (it has the mouse and the keyboard), or 0.
    int menu_window() const { return menu_window_; }
    bool menu_open() const { return menu_window_ != 0; }

    // ---- Input: queued until the program polls ----
    // A left press and release at content pixel (x, y); focuses the window first, as a window
    // manager does on a click.
    void click(int window, int x, int y);
    void mouse_down(int window, int x, int y, int button = 1);
    void mouse_up(int window, int x, int y, int button = 1);
    void mouse_move(int window, int x, int y);
    // Keys go to the focused window. `scan_code` is a set-1 scan code, bit 8 for extended keys.
    void key_down(int virtual_key, int scan_code, bool repeat = false);
    void key_up(int virtual_key, int scan_code);
    void type(unsigned char character);
    // A key pressed or released while the focus is elsewhere: the window system brings the key
    // state up to date, and no window gets a key message.
    void key_elsewhere(int virtual_key, int scan_code, bool down);
    // The focus goes to a window of another program.
    void focus_elsewhere();
    void close(int window);
    // The program is asked to end from outside its windows, as by Ctrl+C in its terminal.
    void request_quit();
    void expose(int window);
    void resize(int window, int width, int height);
    void focus(int window);
    bool input_pending() const { return !events_.empty(); }

    // ---- Time ----
    void advance(display::Time milliseconds) { clock_ += milliseconds; }
    void set_idle_handler(IdleHandler handler) { idle_handler_ = std::move(handler); }
    void set_present_observer(PresentObserver observer) { present_observer_ = std::move(observer); }
    // Off: presenting counts and reads the pixels' ends but keeps no copy (`presented` stays as
    // it was), for drivers that never look at the pictures and present many frames.
    void set_keep_pictures(bool keep) { keep_pictures_ = keep; }

    // ---- Counters, for tests that check the program does not spin ----
    int poll_count() const { return poll_count_; }
    int wait_count() const { return wait_count_; }

  private:
    Window *find(int id);
    void push(display::InputKind kind, int window, int x = 0, int y = 0);

    int screen_width_, screen_height_;
    std::vector<Window> windows_; // index id - 1
    std::deque<display::InputEvent> events_;
    display::Time clock_ = 0;
    int focused_ = 0;
    int menu_window_ = 0;
    IdleHandler idle_handler_;
    PresentObserver present_observer_;
    bool keep_pictures_ = true;
    int poll_count_ = 0;
    int wait_count_ = 0;
};

// Installs a new virtual display as the backend and returns it.
Display &install(int screen_width = 1024, int screen_height = 768);

} // namespace virtual_display
