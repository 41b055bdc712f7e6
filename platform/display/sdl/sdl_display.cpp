// The SDL display.
//
// Each window shows its content through SDL's window surface, which on X11 is shared memory the
// server copies from: presenting writes the rows that changed since the last frame and sends
// only those. On a high-density screen every content pixel is a square of `scale_` screen pixels;
// positions, sizes and clicks are converted here, so the window layer sees its own pixels only.
// The window manager draws the real caption and frame around the content.
#include "platform/code_page.h"
#include "platform/display/sdl/backend.h"
#include "platform/display/sdl/presented_frame.h"
#include "platform/display/sdl/sdl_keys.h"
#include "platform/display/us_keyboard.h"
#include "platform/win.h"

#include <SDL.h>
#include <algorithm>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <vector>

namespace sdl_display {

namespace {

constexpr uint8_t SURFACE_FILL = 0xFF; // white, where the content does not reach

struct Window {
    SDL_Window *window = nullptr;
    display::Placement placement; // the program's pixels
    PresentedFrame frame;
    bool surface_stale = true; // no frame on the surface yet, or a new surface: write every row
    SDL_Surface *surface = nullptr; // the surface written last, and its size
    int surface_width = 0, surface_height = 0;
    bool frame_placed = false; // placed knowing the window manager's frame
};

// The signal's default action again, unless it was ignored from the start (as for a program
// started in the background of a script), which SDL leaves as it is.
void end_at_next_signal(int signal) {
    struct sigaction action = {};
    if (sigaction(signal, nullptr, &action) == 0 && action.sa_handler != SIG_IGN)
        std::signal(signal, SIG_DFL);
}

bool is_keypad_number_key(int virtual_key) {
    return virtual_key >= VK_NUMPAD0 && virtual_key <= VK_DECIMAL;
}

class SdlDisplay : public display::Backend {
  public:
    SdlDisplay(int scale, SDL_Rect screen, std::unique_ptr<KeyboardLayout> layout,
               Uint32 made_up_keys)
        : scale_(scale), screen_(screen), layout_(std::move(layout)), made_up_keys_(made_up_keys) {}

    ~SdlDisplay() override {
        for (auto &[id, w] : windows_) SDL_DestroyWindow(w.window);
        SDL_Quit();
    }

    int screen_width() override { return screen_.w / scale_; }
    int screen_height() override { return screen_.h / scale_; }

    int create_window(const std::string &title, const display::Placement &placement,
                      bool resizable) override {
        Uint32 flags = SDL_WINDOW_HIDDEN | (resizable ? SDL_WINDOW_RESIZABLE : 0);
        Window w;
        w.placement = placement;
        w.window = SDL_CreateWindow(
            platform::utf8_of_cp1252(title).c_str(), screen_x(placement.x + placement.content_x),
            screen_y(placement.y + placement.content_y), std::max(1, placement.width * scale_),
            std::max(1, placement.height * scale_), flags);
        if (!w.window) {
            SDL_Log("korva: cannot create a window: %s", SDL_GetError());
            return 0;
        }
        int id = int(SDL_GetWindowID(w.window));
        windows_[id] = std::move(w);
        return id;
    }

    void destroy_window(int window) override {
        auto it = windows_.find(window);
        if (it == windows_.end()) return;
        SDL_DestroyWindow(it->second.window);
        windows_.erase(it);
    }

    void show_window(int window, bool shown) override {
        Window *w = find(window);
        if (!w) return;
        if (!shown) {
            SDL_HideWindow(w->window);
            return;
        }
        SDL_ShowWindow(w->window);
        position(*w);
        SDL_RaiseWindow(w->window); // Windows activates a window it shows
    }

    void set_title(int window, const std::string &title) override {
        if (Window *w = find(window))
            SDL_SetWindowTitle(w->window, platform::utf8_of_cp1252(title).c_str());
    }

    void place_window(int window, const display::Placement &placement) override {
        Window *w = find(window);
        if (!w) return;
        // Only a new position moves the window: one the user moved stays where it is when the
        // program changes its size.
        bool moved = placement.x != w->placement.x || placement.y != w->placement.y ||
                     placement.content_x != w->placement.content_x ||
                     placement.content_y != w->placement.content_y;
        w->placement = placement;
        SDL_SetWindowSize(w->window, std::max(1, placement.width * scale_),
                          std::max(1, placement.height * scale_));
        w->surface_stale = true;
        if (moved) position(*w);
    }

    void present(int window, const platform::Surface &content) override {
        Window *w = find(window);
        const int width = content.width, height = content.height;
        if (!w || width <= 0 || height <= 0) return;
        RowBand rows = w->frame.update(content.data(), width, height);
        SDL_Surface *surface = SDL_GetWindowSurface(w->window);
        if (!surface) return;
        if (surface != w->surface || surface->w != w->surface_width ||
            surface->h != w->surface_height) {
            w->surface = surface;
            w->surface_width = surface->w;
            w->surface_height = surface->h;
            w->surface_stale = true;
        }
        if (w->surface_stale) {
            // A new surface: all of it, with white where the content does not reach.
            SDL_FillRect(surface, nullptr,
                         SDL_MapRGB(surface->format, SURFACE_FILL, SURFACE_FILL, SURFACE_FILL));
            write_rows(*w, surface, RowBand{0, height});
            SDL_UpdateWindowSurface(w->window);
            w->surface_stale = false;
        } else if (!rows.empty()) {
            write_rows(*w, surface, rows);
            SDL_Rect changed{0, rows.top * scale_, surface->w, (rows.bottom - rows.top) * scale_};
            SDL_UpdateWindowSurfaceRects(w->window, &changed, 1);
        }
    }

    bool poll_input(display::InputEvent &event) override {
        if (!pending_.empty()) {
            event = pending_.front();
            pending_.pop_front();
            return true;
        }
        SDL_Event e;
        while (SDL_PollEvent(&e)) {
            if (!translate(e, event)) continue;
            if (event.kind == display::InputKind::FocusGained) event = after_held_keys(event);
            return true;
        }
        return false;
    }

    display::Time now() override { return SDL_GetTicks64(); }

    void wait(display::Time deadline) override {
        if (!pending_.empty()) return;
        if (deadline == display::NEVER) {
            SDL_WaitEvent(nullptr);
            return;
        }
        display::Time current = now();
        if (deadline <= current) return;
        SDL_WaitEventTimeout(nullptr, int(std::min<display::Time>(deadline - current, INT_MAX)));
    }

    unsigned char key_character(int virtual_key, int scan_code, bool shift, bool caps_lock,
                                bool altgr) override {
        if (unsigned char c = display::fixed_character(virtual_key)) return c;
        if (layout_)
            return layout_->character(scan_code, shift, caps_lock, altgr,
                                      is_keypad_number_key(virtual_key));
        return altgr ? 0 : display::us_key_character(virtual_key, shift, caps_lock);
    }

    unsigned char typed_character(int virtual_key, int scan_code, bool shift, bool caps_lock,
                                  bool altgr) override {
        if (!layout_ || display::fixed_character(virtual_key))
            return key_character(virtual_key, scan_code, shift, caps_lock, altgr);
        return layout_->typed(scan_code, shift, caps_lock, altgr,
                              is_keypad_number_key(virtual_key));
    }

  private:
    Window *find(int id) {
        auto it = windows_.find(id);
        return it == windows_.end() ? nullptr : &it->second;
    }

    int screen_x(int x) const { return screen_.x + x * scale_; }
    int screen_y(int y) const { return screen_.y + y * scale_; }

    // SDL tells of the focus coming to a window before it makes up the presses of the keys held
    // at that moment: those go first, so that the window gaining the focus finds the key state
    // as it is (Ctrl held or not).
    display::InputEvent after_held_keys(const display::InputEvent &focus_gained) {
        SDL_Event held;
        while (made_up_keys_ &&
               SDL_PeepEvents(&held, 1, SDL_GETEVENT, made_up_keys_, made_up_keys_) > 0) {
            display::InputEvent key;
            if (translate(held, key)) pending_.push_back(key);
        }
        if (pending_.empty()) return focus_gained;
        pending_.push_back(focus_gained);
        display::InputEvent first = pending_.front();
        pending_.pop_front();
        return first;
    }

    // The window manager's frame around the window, once it has told it; false before.
    static bool frame_of(Window &w, int &left, int &top) {
        int bottom = 0, right = 0;
        left = top = 0;
        return SDL_GetWindowBordersSize(w.window, &top, &left, &bottom, &right) == 0 &&
               (top > 0 || left > 0);
    }

    // Positions the content. With a window manager that reports its frame, the frame's top-left
    // goes where the program asked for the outer top-left; without one, the content sits where
    // the emulated caption and frame would leave it.
    void position(Window &w) {
        int left = 0, top = 0;
        w.frame_placed = frame_of(w, left, top);
        if (w.frame_placed)
            SDL_SetWindowPosition(w.window, screen_x(w.placement.x) + left,
                                  screen_y(w.placement.y) + top);
        else
            SDL_SetWindowPosition(w.window, screen_x(w.placement.x + w.placement.content_x),
                                  screen_y(w.placement.y + w.placement.content_y));
    }

    // A window manager tells its frame only after it has framed the window, which may be after
    // the window was shown and placed: it is placed once more then.
    void place_in_frame_when_known(Window &w) {
        int left = 0, top = 0;
        if (!w.frame_placed && (SDL_GetWindowFlags(w.window) & SDL_WINDOW_SHOWN) &&
            frame_of(w, left, top))
            position(w);
    }

    void write_rows(Window &w, SDL_Surface *surface, RowBand rows) {
        int first_row = rows.top * scale_;
        int width = surface->w, height = surface->h - first_row;
        if (height <= 0) return;
        if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
        uint8_t *band =
            static_cast<uint8_t *>(surface->pixels) + size_t(first_row) * size_t(surface->pitch);
        const SDL_PixelFormat *format = surface->format;
        if (format->BytesPerPixel == 4 && format->Rmask == 0x00FF0000 &&
            format->Gmask == 0x0000FF00 && format->Bmask == 0x000000FF) {
            w.frame.write_scaled(rows, scale_, format->Amask, band, size_t(surface->pitch), width,
                                 height);
        } else {
            // Another pixel format (a 16-bit screen): scale into a buffer, and SDL converts.
            height = std::min(height, (rows.bottom - rows.top) * scale_);
            std::vector<uint32_t> scaled(size_t(width) * size_t(height), 0xFFFFFF);
            w.frame.write_scaled(rows, scale_, 0, scaled.data(), size_t(width) * 4, width, height);
            SDL_ConvertPixels(width, height, SDL_PIXELFORMAT_RGB888, scaled.data(), width * 4,
                              format->format, band, surface->pitch);
        }
        if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    }

    bool translate(const SDL_Event &e, display::InputEvent &out) {
        out = display::InputEvent{};
        switch (e.type) {
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (e.button.which == SDL_TOUCH_MOUSEID) return false;
            out.kind = e.type == SDL_MOUSEBUTTONDOWN ? display::InputKind::MouseDown
                                                     : display::InputKind::MouseUp;
            out.window = int(e.button.windowID);
            out.button = e.button.button; // SDL numbers left 1, middle 2, right 3, as we do
            out.x = e.button.x / scale_;
            out.y = e.button.y / scale_;
            return out.button >= 1 && out.button <= 3;
        case SDL_MOUSEMOTION: {
            // Only the latest position matters, as Windows folds mouse moves into one message.
            SDL_Event later;
            if (SDL_PeepEvents(&later, 1, SDL_PEEKEVENT, SDL_MOUSEMOTION, SDL_MOUSEMOTION) > 0)
                return false;
            if (e.motion.which == SDL_TOUCH_MOUSEID) return false;
            out.kind = display::InputKind::MouseMove;
            out.window = int(e.motion.windowID);
            out.x = e.motion.x / scale_;
            out.y = e.motion.y / scale_;
            return true;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            return translate_key(SDL_Scancode(e.key.keysym.scancode), e.type == SDL_KEYDOWN,
                                 e.key.repeat != 0, (e.key.keysym.mod & KMOD_NUM) != 0,
                                 int(e.key.windowID), false, out);
        case SDL_WINDOWEVENT: return translate_window_event(e.window, out);
        case SDL_KEYMAPCHANGED:
            if (layout_) layout_->reload();
            return false;
        case SDL_QUIT:
            // SDL's answer to SIGINT and SIGTERM. A second one ends the process at once, should
            // the program no longer answer.
            end_at_next_signal(SIGINT);
            end_at_next_signal(SIGTERM);
            out.kind = display::InputKind::QuitRequest;
            return true;
        default:
            if (made_up_keys_ && e.type == made_up_keys_)
                return translate_key(SDL_Scancode(e.user.code), e.user.data1 != nullptr, false,
                                     (SDL_GetModState() & KMOD_NUM) != 0, int(e.user.windowID),
                                     true, out);
            return false;
        }
    }

    // A key as Windows reports it. Where the layout makes the right Alt key AltGr, Windows
    // reports it as left Ctrl and right Alt together, and programs see Ctrl+Alt: so do we, with
    // the Ctrl before the Alt going down and after it coming up.
    bool translate_key(SDL_Scancode scancode, bool down, bool repeat, bool num_lock, int window,
                       bool synthetic, display::InputEvent &out) {
        WindowsKey key;
        if (!windows_key(scancode, SDL_GetKeyFromScancode(scancode), num_lock, key)) return false;
        out.kind = down ? display::InputKind::KeyDown : display::InputKind::KeyUp;
        out.window = window;
        out.virtual_key = key.virtual_key;
        out.scan_code = key.scan_code;
        out.repeat = repeat;
        out.synthetic = synthetic;
        if (scancode != SDL_SCANCODE_RALT || !layout_ || !layout_->right_alt_is_altgr())
            return true;
        display::add_ctrl_of_altgr(out, down, pending_);
        return true;
    }

    bool translate_window_event(const SDL_WindowEvent &e, display::InputEvent &out) {
        out.window = int(e.windowID);
        Window *w = find(out.window);
        if (!w) return false;
        place_in_frame_when_known(*w);
        switch (e.event) {
        case SDL_WINDOWEVENT_CLOSE: out.kind = display::InputKind::CloseRequest; return true;
        case SDL_WINDOWEVENT_EXPOSED:
            // A surface that is not stale holds the last frame: show it at once, and have the
            // program paint, as Windows does for an uncovered window.
            if (!w->surface_stale) SDL_UpdateWindowSurface(w->window);
            out.kind = display::InputKind::Exposed;
            return true;
        case SDL_WINDOWEVENT_SIZE_CHANGED: {
            w->surface_stale = true; // SDL makes a new surface of the new size
            int width = e.data1 / scale_, height = e.data2 / scale_;
            if (width == w->placement.width && height == w->placement.height) return false;
            w->placement.width = width;
            w->placement.height = height;
            out.kind = display::InputKind::Resized;
            out.x = width;
            out.y = height;
            return true;
        }
        case SDL_WINDOWEVENT_FOCUS_GAINED: out.kind = display::InputKind::FocusGained; return true;
        case SDL_WINDOWEVENT_FOCUS_LOST: out.kind = display::InputKind::FocusLost; return true;
        default: return false;
        }
    }

    int scale_;
    SDL_Rect screen_; // the primary screen, screen pixels
    std::unique_ptr<KeyboardLayout> layout_;
    Uint32 made_up_keys_;
    std::map<int, Window> windows_;
    std::deque<display::InputEvent> pending_; // made from an SDL event already taken
};

} // namespace

std::unique_ptr<display::Backend> make_backend(int scale, const SDL_Rect &screen,
                                               WindowSystem system) {
    return std::make_unique<SdlDisplay>(scale, screen, std::move(system.layout),
                                        system.made_up_key_events);
}

} // namespace sdl_display
