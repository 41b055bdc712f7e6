// The virtual display.
#include "platform/display/virtual/virtual_display.h"
#include "platform/display/us_keyboard.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace virtual_display {

Display::Display(int screen_width, int screen_height)
    : screen_width_(screen_width), screen_height_(screen_height) {}

Window *Display::find(int id) {
    if (id < 1 || size_t(id) > windows_.size() || !windows_[id - 1].alive) return nullptr;
    return &windows_[id - 1];
}

const Window *Display::window(int id) const {
    if (id < 1 || size_t(id) > windows_.size()) return nullptr;
    return &windows_[id - 1];
}

int Display::find_window(const std::string &title) const {
    for (const Window &w : windows_)
        if (w.alive && w.title == title) return w.id;
    return 0;
}

int Display::create_window(const std::string &title, const display::Placement &placement,
                           bool resizable) {
    Window w;
    w.id = int(windows_.size()) + 1;
    w.title = title;
    w.placement = placement;
    w.resizable = resizable;
    windows_.push_back(std::move(w));
    return windows_.back().id;
}

void Display::destroy_window(int window) {
    Window *w = find(window);
    if (!w) return;
    w->alive = false;
    w->shown = false;
    if (focused_ == window) focused_ = 0;
    std::erase_if(events_, [&](const display::InputEvent &e) { return e.window == window; });
}

void Display::show_window(int window, bool shown) {
    Window *w = find(window);
    if (!w) return;
    w->shown = shown;
    if (shown)
        focused_ = window; // a window manager focuses a newly mapped window
    else if (focused_ == window)
        focused_ = 0;
}

void Display::set_title(int window, const std::string &title) {
    if (Window *w = find(window)) w->title = title;
}

void Display::place_window(int window, const display::Placement &placement) {
    if (Window *w = find(window)) w->placement = placement;
}

void Display::present(int window, const platform::Surface &content) {
    Window *w = find(window);
    if (!w) return;
    if (present_observer_) present_observer_(window);
    if (keep_pictures_) {
        // Only the rows that changed since the last frame are copied.
        w->presented = content;
        w->presented.clip = w->presented.bounds();
        w->presented.origin_x = w->presented.origin_y = 0;
        w->presented.changed = false;
    } else if (content.width > 0 && content.height > 0) {
        // The pixels must be there all the same (a sanitizer reports a short block).
        volatile uint32_t ends =
            content.at(0, 0) ^ content.at(content.width - 1, content.height - 1);
        (void)ends;
    }
    w->present_count++;
}

bool Display::poll_input(display::InputEvent &event) {
    poll_count_++;
    if (events_.empty()) return false;
    event = events_.front();
    events_.pop_front();
    return true;
}

void Display::wait(display::Time deadline) {
    wait_count_++;
    if (!events_.empty() || deadline <= clock_) return;
    display::Time before = clock_;
    if (idle_handler_) {
        idle_handler_(deadline);
        if (!events_.empty() || clock_ != before) return;
    }
    if (deadline == display::NEVER) {
        std::fprintf(stderr, "virtual display: the program waits for input, but no timer is set "
                             "and no idle handler gives it any: it would wait forever\n");
        std::abort();
    }
    clock_ = deadline;
}

unsigned char Display::key_character(int virtual_key, int, bool shift, bool caps_lock, bool altgr) {
    return altgr ? 0 : display::us_key_character(virtual_key, shift, caps_lock);
}

void Display::menu_shown(int window, bool open) {
    if (open)
        menu_window_ = window;
    else if (menu_window_ == window)
        menu_window_ = 0;
}

void Display::push(display::InputKind kind, int window, int x, int y) {
    display::InputEvent e;
    e.kind = kind;
    e.window = window;
    e.x = x;
    e.y = y;
    events_.push_back(e);
}

void Display::focus(int window) {
    if (!find(window) || focused_ == window) return;
    if (focused_) push(display::InputKind::FocusLost, focused_);
    focused_ = window;
    push(display::InputKind::FocusGained, window);
}

void Display::click(int window, int x, int y) {
    focus(window);
    mouse_down(window, x, y);
    mouse_up(window, x, y);
}

void Display::mouse_down(int window, int x, int y, int button) {
    push(display::InputKind::MouseDown, window, x, y);
    events_.back().button = button;
}

void Display::mouse_up(int window, int x, int y, int button) {
    push(display::InputKind::MouseUp, window, x, y);
    events_.back().button = button;
}

void Display::mouse_move(int window, int x, int y) {
    push(display::InputKind::MouseMove, window, x, y);
}

void Display::key_down(int virtual_key, int scan_code, bool repeat) {
    push(display::InputKind::KeyDown, focused_);
    events_.back().virtual_key = virtual_key;
    events_.back().scan_code = scan_code;
    events_.back().repeat = repeat;
}

void Display::key_up(int virtual_key, int scan_code) {
    push(display::InputKind::KeyUp, focused_);
    events_.back().virtual_key = virtual_key;
    events_.back().scan_code = scan_code;
}

void Display::key_elsewhere(int virtual_key, int scan_code, bool down) {
    push(down ? display::InputKind::KeyDown : display::InputKind::KeyUp, focused_);
    events_.back().virtual_key = virtual_key;
    events_.back().scan_code = scan_code;
    events_.back().synthetic = true;
}

void Display::focus_elsewhere() {
    if (focused_) push(display::InputKind::FocusLost, focused_);
    focused_ = 0;
}

void Display::type(unsigned char character) {
    push(display::InputKind::Text, focused_);
    events_.back().character = character;
}

void Display::close(int window) {
    push(display::InputKind::CloseRequest, window);
}

void Display::request_quit() {
    push(display::InputKind::QuitRequest, 0);
}

void Display::expose(int window) {
    push(display::InputKind::Exposed, window);
}

void Display::resize(int window, int width, int height) {
    Window *w = find(window);
    if (!w) return;
    w->placement.width = width;
    w->placement.height = height;
    push(display::InputKind::Resized, window, width, height);
}

Display &install(int screen_width, int screen_height) {
    auto display = std::make_unique<Display>(screen_width, screen_height);
    Display &installed = *display;
    display::install(std::move(display));
    return installed;
}

} // namespace virtual_display
