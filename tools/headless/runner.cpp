#include "tools/headless/runner.h"

#include "platform/code_page.h"
#include "platform/png_file.h"
#include "platform/win.h"

#include <cstdio>
#include <cstdlib>

namespace headless {

namespace {
// How long a program may go on after its window was closed for it.
constexpr display::Time CLOSE_GRACE_MS = 60000;
} // namespace

Runner::Runner(virtual_display::Display &display, std::vector<Action> actions, std::string where)
    : display_(display), actions_(std::move(actions)), where_(std::move(where)) {}

void Runner::on_idle(display::Time deadline) {
    while (next_ < actions_.size()) {
        if (!perform(actions_[next_], deadline)) return;
    }
    finish(deadline);
}

bool Runner::perform(const Action &action, display::Time deadline) {
    int graphics = display_.find_window(GRAPHICS_TITLE);
    switch (action.verb) {
    case Verb::Wait: {
        if (!waiting_) {
            waiting_ = true;
            wait_end_ = display_.now() + display::Time(action.milliseconds);
        }
        // Every deadline in the span, one at its end included, is handled at its own time.
        if (deadline <= wait_end_) {
            display_.advance(deadline - display_.now());
            return false;
        }
        display_.advance(wait_end_ - display_.now());
        waiting_ = false;
        next_++;
        return true;
    }
    case Verb::Click:
        next_++;
        if (!graphics) return true;
        return !click(graphics, action);
    case Verb::Key:
        next_++;
        press(display_, action.keys);
        return false;
    case Verb::Type:
        next_++;
        type(action.text);
        return false;
    case Verb::Focus: {
        next_++;
        int window = display_.find_window(action.text_window ? TEXT_TITLE : GRAPHICS_TITLE);
        if (!window || window == display_.focused_window()) return true;
        display_.focus(window);
        return false;
    }
    case Verb::Shot:
    case Verb::TextShot:
        next_++;
        shot(action.verb == Verb::Shot ? GRAPHICS_TITLE : TEXT_TITLE, action.text, action.line);
        return true;
    case Verb::Gif:
    case Verb::TextGif:
        next_++;
        gif(action);
        return true;
    case Verb::Close:
        next_++;
        if (!graphics) return true;
        display_.close(graphics);
        return false;
    }
    return true;
}

// With the actions done, the graphics window is closed for the program, which then ends.
void Runner::finish(display::Time deadline) {
    int graphics = display_.find_window(GRAPHICS_TITLE);
    end_gifs();
    if (!closed_ && graphics) {
        closed_ = true;
        closed_at_ = display_.now();
        display_.close(graphics);
        return;
    }
    if (deadline == display::NEVER || deadline - closed_at_ > CLOSE_GRACE_MS) {
        std::fprintf(stderr, "headless: the program did not end after its actions ran out\n");
        std::exit(3);
    }
    display_.advance(deadline - display_.now());
}

// Client pixel (x, y), or with y from -20 to -1 the menu bar above the client area. A point
// outside both is an error of the action file: no window could report a press there. Returns
// whether the press was made.
bool Runner::click(int window, const Action &action) {
    const platform::Surface &shown = display_.window(window)->presented;
    int menu_bar = GetSystemMetrics(SM_CYMENU);
    int x = action.x, y = action.y + menu_bar;
    if (x >= 0 && x < shown.width && y >= 0 && y < shown.height) {
        display_.click(window, x, y);
        return true;
    }
    char bounds[96];
    std::snprintf(bounds, sizeof bounds, "(X 0 to %d, Y %d to %d)", shown.width - 1, -menu_bar,
                  shown.height - menu_bar - 1);
    fail(action.line, "click " + std::to_string(action.x) + " " + std::to_string(action.y) +
                          " is outside the client area and the menu bar " + bounds);
    return false;
}

// Each character of the UTF-8 text is typed as its code page 1252 character: with the key that
// gives it, Shift as needed; a character no key gives arrives as a character alone, and one the
// code page lacks is not typed at all, as on a real keyboard.
void Runner::type(const std::string &text) {
    Key shift_key;
    key_by_name("shift", shift_key);
    std::vector<uint32_t> characters;
    platform::decode_utf8(text, characters);
    for (uint32_t character : characters) {
        unsigned char c = platform::cp1252_of_unicode(character);
        if (!c) continue;
        Key key;
        bool shift = false;
        if (!key_for_character(c, key, shift)) {
            display_.type(c);
            continue;
        }
        std::vector<Key> keys;
        if (shift) keys.push_back(shift_key);
        keys.push_back(key);
        press(display_, keys);
    }
}

void Runner::shot(const std::string &title, const std::string &path, int line) {
    int id = display_.find_window(title);
    const virtual_display::Window *window = id ? display_.window(id) : nullptr;
    std::string error = "cannot write " + path + ": the window is not open";
    if (window && window->presented.width > 0 &&
        platform::write_png(path, window->presented.data(), window->presented.width,
                            window->presented.height, window->presented.width, error))
        return;
    fail(line, error);
}

void Runner::fail(int line, const std::string &message) {
    std::fprintf(stderr, "%s: line %d: %s\n", where_.c_str(), line, message.c_str());
    failures_++;
}

// A GIF of the graphics or the text window begins, ending the one of that window being written;
// `gif end` only ends it.
void Runner::gif(const Action &action) {
    bool text_window = action.verb == Verb::TextGif;
    end_gif(text_window);
    if (action.text.empty()) return;
    std::string error;
    int window = display_.find_window(text_window ? TEXT_TITLE : GRAPHICS_TITLE);
    if (gifs_[text_window].begin(display_, window, action.text, error)) {
        gif_lines_[text_window] = action.line;
        return;
    }
    fail(action.line, "cannot write " + action.text + ": " + error);
}

void Runner::end_gif(bool text_window) {
    GifRecording &recording = gifs_[text_window];
    if (!recording.active()) return;
    std::string path = recording.path(), error;
    if (recording.end(error)) return;
    fail(gif_lines_[text_window], "cannot write " + path + ": " + error);
}

void Runner::end_gifs() {
    end_gif(false);
    end_gif(true);
}

void Runner::on_present(int window) {
    for (GifRecording &recording : gifs_) recording.before_present(window);
}

} // namespace headless
