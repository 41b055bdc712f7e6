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

Runner::Runner(virtual_display::Display &display, std::vector<Action> actions)
    : display_(display), actions_(std::move(actions)) {}

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
        display_.click(graphics, action.x, action.y + GetSystemMetrics(SM_CYMENU));
        return false;
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
    std::string error = "the window is not open";
    if (window && window->presented.width > 0 &&
        platform::write_png(path, window->presented.pixels.data(), window->presented.width,
                            window->presented.height, window->presented.width, error))
        return;
    std::fprintf(stderr, "headless: line %d: cannot write %s: %s\n", line, path.c_str(),
                 error.c_str());
    failures_++;
}

} // namespace headless
