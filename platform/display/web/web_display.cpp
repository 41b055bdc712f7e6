// The web display.
//
// Each window is a canvas of the page under a title bar of its own (web_page.js). Presenting
// compares the frame with the one shown and writes only what changed, with putImageData: each
// run of changed rows, bounded by the columns that changed in it (the demo's sun, bugs and
// waves change in areas of their own; the browser's cost follows the area written). On a
// high-density screen each of the program's pixels is a square of a whole number of device pixels,
// as on the desktop; positions and clicks are converted by the page, so this side sees the
// program's pixels only.
//
// Waiting gives the browser control (through Asyncify, inside korva_web_wait only) until input
// arrives or the deadline passes: a program waiting for its timer costs the tab almost nothing.
#include "platform/display/web/web_display.h"
#include "platform/code_page.h"
#include "platform/display/us_keyboard.h"
#include "platform/display/web/web_input.h"
#include "platform/display/web/web_page.h"
#include "platform/win.h"

#include <emscripten.h>

#include <algorithm>
#include <climits>
#include <deque>
#include <map>
#include <vector>

namespace web_display {

namespace {

// Columns left..right-1 of rows top..bottom-1.
struct Area {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// What a window shows, kept to compare the next frame with.
struct Frame {
    std::vector<uint32_t> pixels;
    int width = 0, height = 0;

    // Takes a new frame and returns the areas that differ from the last one: the whole frame
    // when its size changed, else each run of changed rows with the columns changed in it.
    std::vector<Area> update(const uint32_t *next, int next_width, int next_height) {
        if (next_width != width || next_height != height) {
            width = next_width;
            height = next_height;
            pixels.assign(next, next + size_t(width) * size_t(height));
            return {Area{0, 0, width, height}};
        }
        std::vector<Area> areas;
        bool in_run = false;
        for (int y = 0; y < height; y++) {
            uint32_t *kept = pixels.data() + size_t(y) * size_t(width);
            const uint32_t *row = next + size_t(y) * size_t(width);
            int left = 0, right = width;
            while (left < width && kept[left] == row[left]) left++;
            if (left == width) {
                in_run = false;
                continue;
            }
            while (kept[right - 1] == row[right - 1]) right--;
            std::copy(row + left, row + right, kept + left);
            if (!in_run) areas.push_back(Area{left, y, right, y + 1});
            Area &area = areas.back();
            area.left = std::min(area.left, left);
            area.right = std::max(area.right, right);
            area.bottom = y + 1;
            in_run = true;
        }
        return areas;
    }
};

struct Window {
    Frame frame;
    std::vector<uint8_t> band; // RGBA device pixels of the area being written
};

// One 0x00RRGGBB pixel as the bytes R, G, B, 255 in memory (wasm is little-endian).
uint32_t rgba_of(uint32_t pixel) {
    return 0xFF000000u | ((pixel & 0xFFu) << 16) | (pixel & 0xFF00u) | ((pixel >> 16) & 0xFFu);
}

class WebDisplay : public display::Backend {
  public:
    explicit WebDisplay(int scale) : scale_(scale) {}

    ~WebDisplay() override {
        for (auto &[id, w] : windows_) korva_web_destroy_window(id);
    }

    int screen_width() override { return korva_web_screen_width(); }
    int screen_height() override { return korva_web_screen_height(); }

    int create_window(const std::string &title, const display::Placement &placement,
                      bool) override {
        int id = next_id_++;
        windows_[id] = Window{};
        korva_web_create_window(id, platform::utf8_of_cp1252(title).c_str());
        place_window(id, placement);
        return id;
    }

    void destroy_window(int window) override {
        if (windows_.erase(window)) korva_web_destroy_window(window);
    }

    void show_window(int window, bool shown) override {
        if (windows_.count(window)) korva_web_show_window(window, shown);
    }

    void set_title(int window, const std::string &title) override {
        if (windows_.count(window))
            korva_web_set_title(window, platform::utf8_of_cp1252(title).c_str());
    }

    void place_window(int window, const display::Placement &p) override {
        if (windows_.count(window))
            korva_web_place_window(window, p.x, p.y, p.content_x, p.content_y, p.width, p.height);
    }

    void present(int window, const platform::Surface &content) override {
        auto it = windows_.find(window);
        const int width = content.width, height = content.height;
        if (it == windows_.end() || width <= 0 || height <= 0) return;
        Window &w = it->second;
        for (const Area &area : w.frame.update(content.data(), width, height)) {
            write_band(w, area);
            korva_web_present(window, w.band.data(), width * scale_, height * scale_,
                              area.left * scale_, area.top * scale_,
                              (area.right - area.left) * scale_, (area.bottom - area.top) * scale_);
        }
    }

    bool poll_input(display::InputEvent &event) override {
        if (!pending_.empty()) {
            event = pending_.front();
            pending_.pop_front();
            return true;
        }
        int fields[FIELD_COUNT] = {};
        char code[32] = {};
        while (korva_web_next_event(fields, code, int(sizeof code))) {
            if (translate(fields, code, event)) return true;
        }
        return false;
    }

    display::Time now() override { return display::Time(emscripten_get_now()); }

    void wait(display::Time deadline) override {
        if (!pending_.empty()) return;
        if (deadline == display::NEVER) {
            korva_web_wait(-1);
            return;
        }
        display::Time current = now();
        // Even a deadline that is due lets the browser run once: it shows the frame and takes
        // input.
        display::Time rest = deadline > current ? deadline - current : 0;
        korva_web_wait(int(std::min<display::Time>(rest, INT_MAX)));
    }

    unsigned char key_character(int virtual_key, int, bool shift, bool caps_lock,
                                bool altgr) override {
        if (unsigned char c = display::fixed_character(virtual_key)) return c;
        return altgr ? 0 : display::us_key_character(virtual_key, shift, caps_lock);
    }

    // What the browser said the key-down typed, under the layout the user has (AltGr and dead
    // keys included: the browser composes them).
    unsigned char typed_character(int virtual_key, int scan_code, bool, bool, bool) override {
        if (unsigned char c = display::fixed_character(virtual_key)) return c;
        auto it = typed_.find(scan_code);
        return it == typed_.end() ? 0 : it->second;
    }

  private:
    // An area of the kept frame as RGBA device pixels, each pixel a scale x scale square.
    void write_band(Window &w, const Area &area) {
        int columns = area.right - area.left, width = columns * scale_;
        size_t device_rows = size_t(area.bottom - area.top) * size_t(scale_);
        w.band.resize(device_rows * size_t(width) * 4);
        auto *out = reinterpret_cast<uint32_t *>(w.band.data());
        for (int y = area.top; y < area.bottom; y++) {
            const uint32_t *source =
                w.frame.pixels.data() + size_t(y) * size_t(w.frame.width) + size_t(area.left);
            uint32_t *first = out + size_t(y - area.top) * size_t(scale_) * size_t(width);
            for (int x = 0; x < columns; x++)
                std::fill_n(first + size_t(x) * size_t(scale_), scale_, rgba_of(source[x]));
            for (int copy = 1; copy < scale_; copy++)
                std::copy_n(first, width, first + size_t(copy) * size_t(width));
        }
    }

    bool translate(const int *fields, const std::string &code, display::InputEvent &out) {
        out = display::InputEvent{};
        out.window = fields[FIELD_WINDOW];
        if (!windows_.count(out.window)) return false;
        switch (fields[FIELD_KIND]) {
        case PAGE_MOUSE_DOWN:
        case PAGE_MOUSE_UP:
        case PAGE_MOUSE_MOVE:
            out.kind = fields[FIELD_KIND] == PAGE_MOUSE_DOWN ? display::InputKind::MouseDown
                       : fields[FIELD_KIND] == PAGE_MOUSE_UP ? display::InputKind::MouseUp
                                                             : display::InputKind::MouseMove;
            out.x = fields[FIELD_X];
            out.y = fields[FIELD_Y];
            out.button = fields[FIELD_BUTTON];
            return out.kind == display::InputKind::MouseMove ||
                   (out.button >= 1 && out.button <= 3);
        case PAGE_KEY_DOWN:
        case PAGE_KEY_UP: return translate_key(fields, code, out);
        case PAGE_CLOSE: out.kind = display::InputKind::CloseRequest; return true;
        case PAGE_FOCUS: out.kind = display::InputKind::FocusGained; return true;
        case PAGE_BLUR: out.kind = display::InputKind::FocusLost; return true;
        default: return false;
        }
    }

    // A key as Windows reports it. AltGr is reported as left Ctrl and right Alt together, as
    // Windows does, with the Ctrl before the Alt going down and after it coming up.
    bool translate_key(const int *fields, const std::string &code, display::InputEvent &out) {
        bool down = fields[FIELD_KIND] == PAGE_KEY_DOWN;
        unsigned character = unsigned(fields[FIELD_CHARACTER]);
        int vk = 0, scan = 0;
        if (!windows_key(code, character, vk, scan)) return false;
        out.kind = down ? display::InputKind::KeyDown : display::InputKind::KeyUp;
        out.virtual_key = vk;
        out.scan_code = scan;
        out.repeat = fields[FIELD_REPEAT] != 0;
        if (down) typed_[scan] = character ? platform::cp1252_of_unicode(character) : 0;
        if (!fields[FIELD_ALTGR]) return true;
        display::add_ctrl_of_altgr(out, down, pending_);
        return true;
    }

    int scale_;
    int next_id_ = 1;
    std::map<int, Window> windows_;
    std::map<int, unsigned char> typed_; // scan code: what its last key-down typed
    std::deque<display::InputEvent> pending_;
};

} // namespace

std::unique_ptr<display::Backend> open() {
    return std::make_unique<WebDisplay>(std::max(1, korva_web_scale()));
}

} // namespace web_display

// A direct call when the web display is in use (see display.h); another backend (the virtual
// display of a benchmark) never gives the browser control.
void display::wait_for_input(Time deadline) {
    Backend &in_use = backend();
    if (auto *web = dynamic_cast<web_display::WebDisplay *>(&in_use))
        web->web_display::WebDisplay::wait(deadline);
    else
        in_use.wait(deadline);
}
