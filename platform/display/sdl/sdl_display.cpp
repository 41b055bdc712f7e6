// The SDL display.
//
// Each window has its own renderer and a streaming texture of its content size; presenting
// uploads the program's pixels and shows them 1:1 at the top-left. The window manager draws the
// real caption and frame around the content.
#include "platform/display/sdl/sdl_display.h"
#include "platform/display/sdl/sdl_keys.h"
#include "platform/display/us_keyboard.h"

#include <SDL.h>
#include <algorithm>
#include <climits>
#include <map>

namespace sdl_display {

namespace {

struct Window {
    SDL_Window *window = nullptr;
    SDL_Renderer *renderer = nullptr;
    SDL_Texture *texture = nullptr;
    int texture_width = 0, texture_height = 0;
    display::Placement placement;
};

class SdlDisplay : public display::Backend {
  public:
    ~SdlDisplay() override {
        for (auto &[id, w] : windows_) release(w);
        SDL_Quit();
    }

    int screen_width() override { return desktop().w; }
    int screen_height() override { return desktop().h; }

    int create_window(const std::string &title, const display::Placement &placement,
                      bool resizable) override {
        Uint32 flags = SDL_WINDOW_HIDDEN | (resizable ? SDL_WINDOW_RESIZABLE : 0);
        Window w;
        w.placement = placement;
        w.window = SDL_CreateWindow(title.c_str(), placement.x + placement.content_x,
                                    placement.y + placement.content_y, std::max(1, placement.width),
                                    std::max(1, placement.height), flags);
        if (!w.window) {
            SDL_Log("korva: cannot create a window: %s", SDL_GetError());
            return 0;
        }
        w.renderer = SDL_CreateRenderer(w.window, -1, 0);
        if (!w.renderer) w.renderer = SDL_CreateRenderer(w.window, -1, SDL_RENDERER_SOFTWARE);
        int id = int(SDL_GetWindowID(w.window));
        windows_[id] = w;
        return id;
    }

    void destroy_window(int window) override {
        auto it = windows_.find(window);
        if (it == windows_.end()) return;
        release(it->second);
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
        SDL_RaiseWindow(w->window);
    }

    void set_title(int window, const std::string &title) override {
        if (Window *w = find(window)) SDL_SetWindowTitle(w->window, title.c_str());
    }

    void place_window(int window, const display::Placement &placement) override {
        Window *w = find(window);
        if (!w) return;
        w->placement = placement;
        SDL_SetWindowSize(w->window, std::max(1, placement.width), std::max(1, placement.height));
        position(*w);
    }

    void present(int window, const uint32_t *pixels, int width, int height) override {
        Window *w = find(window);
        if (!w || !w->renderer || width <= 0 || height <= 0) return;
        if (!w->texture || w->texture_width != width || w->texture_height != height) {
            if (w->texture) SDL_DestroyTexture(w->texture);
            // 0x00RRGGBB words are ARGB8888 with the alpha byte ignored.
            w->texture = SDL_CreateTexture(w->renderer, SDL_PIXELFORMAT_ARGB8888,
                                           SDL_TEXTUREACCESS_STREAMING, width, height);
            w->texture_width = width;
            w->texture_height = height;
            if (!w->texture) return;
            SDL_SetTextureBlendMode(w->texture, SDL_BLENDMODE_NONE);
        }
        SDL_UpdateTexture(w->texture, nullptr, pixels, width * int(sizeof(uint32_t)));
        render(*w);
    }

    bool poll_input(display::InputEvent &event) override {
        SDL_Event e;
        while (SDL_PollEvent(&e))
            if (translate(e, event)) return true;
        return false;
    }

    display::Time now() override { return SDL_GetTicks64(); }

    void wait(display::Time deadline) override {
        if (deadline == display::NEVER) {
            SDL_WaitEvent(nullptr);
            return;
        }
        display::Time current = now();
        if (deadline <= current) return;
        SDL_WaitEventTimeout(nullptr, int(std::min<display::Time>(deadline - current, INT_MAX)));
    }

    unsigned char key_character(int virtual_key, int, bool shift, bool caps_lock,
                                bool altgr) override {
        return altgr ? 0 : display::us_key_character(virtual_key, shift, caps_lock);
    }

  private:
    Window *find(int id) {
        auto it = windows_.find(id);
        return it == windows_.end() ? nullptr : &it->second;
    }

    static void release(Window &w) {
        if (w.texture) SDL_DestroyTexture(w.texture);
        if (w.renderer) SDL_DestroyRenderer(w.renderer);
        if (w.window) SDL_DestroyWindow(w.window);
        w = Window{};
    }

    SDL_DisplayMode desktop() {
        SDL_DisplayMode mode{};
        if (SDL_GetDesktopDisplayMode(0, &mode) != 0) mode.w = 1024, mode.h = 768;
        return mode;
    }

    // SDL positions the content. With a window manager that reports its frame, the frame's
    // top-left goes where the program asked for the outer top-left; without one, the content
    // sits where the emulated caption and frame would leave it.
    static void position(Window &w) {
        int top = 0, left = 0, bottom = 0, right = 0;
        int x = w.placement.x + w.placement.content_x, y = w.placement.y + w.placement.content_y;
        if (SDL_GetWindowBordersSize(w.window, &top, &left, &bottom, &right) == 0 &&
            (top > 0 || left > 0)) {
            x = w.placement.x + left;
            y = w.placement.y + top;
        }
        SDL_SetWindowPosition(w.window, x, y);
    }

    static void render(Window &w) {
        SDL_SetRenderDrawColor(w.renderer, 255, 255, 255, 255);
        SDL_RenderClear(w.renderer);
        if (w.texture) {
            SDL_Rect area{0, 0, w.texture_width, w.texture_height};
            SDL_RenderCopy(w.renderer, w.texture, nullptr, &area);
        }
        SDL_RenderPresent(w.renderer);
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
            out.x = e.button.x;
            out.y = e.button.y;
            return out.button >= 1 && out.button <= 3;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            if (!windows_key(e.key.keysym.scancode, out.virtual_key, out.scan_code)) return false;
            out.kind =
                e.type == SDL_KEYDOWN ? display::InputKind::KeyDown : display::InputKind::KeyUp;
            out.window = int(e.key.windowID);
            out.repeat = e.key.repeat != 0;
            return true;
        case SDL_WINDOWEVENT: return translate_window_event(e.window, out);
        default: return false;
        }
    }

    bool translate_window_event(const SDL_WindowEvent &e, display::InputEvent &out) {
        out.window = int(e.windowID);
        Window *w = find(out.window);
        if (!w) return false;
        switch (e.event) {
        case SDL_WINDOWEVENT_CLOSE: out.kind = display::InputKind::CloseRequest; return true;
        case SDL_WINDOWEVENT_EXPOSED:
            render(*w); // the texture still holds the last content
            out.kind = display::InputKind::Exposed;
            return true;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            if (e.data1 == w->placement.width && e.data2 == w->placement.height) return false;
            w->placement.width = e.data1;
            w->placement.height = e.data2;
            out.kind = display::InputKind::Resized;
            out.x = e.data1;
            out.y = e.data2;
            return true;
        case SDL_WINDOWEVENT_FOCUS_GAINED: out.kind = display::InputKind::FocusGained; return true;
        case SDL_WINDOWEVENT_FOCUS_LOST: out.kind = display::InputKind::FocusLost; return true;
        default: return false;
        }
    }

    std::map<int, Window> windows_;
};

} // namespace

std::unique_ptr<display::Backend> open(std::string &error) {
    // Windows delivers the click that activates a window; Ctrl+C ends the process as usual; a
    // window's close box closes that window only.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // Video only: the joystick and game controller subsystems would poll in the background.
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        error = SDL_GetError();
        return nullptr;
    }
    // Characters come from key presses through TranslateMessage, not from SDL's text input.
    SDL_StopTextInput();
    // Pointer motion is not used; ignoring it keeps an idle wait from waking on every move.
    SDL_EventState(SDL_MOUSEMOTION, SDL_IGNORE);
    return std::make_unique<SdlDisplay>();
}

} // namespace sdl_display
