// Opening the SDL display: which window system to use, SDL's hints, its video, what the window
// system adds, and the scale.
#include "platform/display/sdl/backend.h"
#include "platform/display/sdl/display_scale.h"
#include "platform/display/sdl/sdl_display.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace sdl_display {

namespace {

// The smallest screen, in the program's pixels, that a scale factor may leave: what Windows
// programs of this kind were made for.
constexpr int MIN_SCREEN_WIDTH = 800, MIN_SCREEN_HEIGHT = 600;

// Which window system and display to use, and at which scale: all the SDL display reads from
// the environment. A window system, never SDL's off-screen or console drivers, which it would
// fall back to and run with no windows at all: X11 first (it places windows where asked),
// Wayland alone when there is no X server; SDL_VIDEODRIVER, when set, still chooses.
struct DisplayChoice {
    const char *driver = nullptr; // the driver to ask SDL for; null: SDL_VIDEODRIVER's
    const char *x_display = nullptr;
    const char *gdk_scale = nullptr;

    static DisplayChoice from_environment() {
        DisplayChoice choice;
        choice.x_display = std::getenv("DISPLAY");
        bool wayland_only = std::getenv("WAYLAND_DISPLAY") && !choice.x_display;
        if (!std::getenv("SDL_VIDEODRIVER")) choice.driver = wayland_only ? "wayland" : "x11";
        choice.gdk_scale = std::getenv("GDK_SCALE");
        return choice;
    }

    // Why the X11 driver found no display, in words a user can act on; empty when the driver
    // was not ours to choose or was not X11.
    std::string x11_reason() const {
        if (!driver || std::strcmp(driver, "x11") != 0) return "";
        if (!x_display || !*x_display) return " (DISPLAY is not set)";
        return std::string(" (cannot connect to the X server at DISPLAY=") + x_display + ")";
    }
};

} // namespace

std::unique_ptr<display::Backend> open(std::string &error) {
    // Windows delivers the click that activates a window; SIGINT and SIGTERM (Ctrl+C, kill)
    // become SDL_QUIT, which wakes a waiting program; a window's close box closes that window
    // only; the window surface is the server's shared memory, not a texture; a desktop
    // compositor keeps compositing our windows; the screen saver comes on as it would for any
    // other program.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "0");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    DisplayChoice choice = DisplayChoice::from_environment();
    if (choice.driver) SDL_SetHint(SDL_HINT_VIDEODRIVER, choice.driver);
    prepare_window_system();
    // Video only: the joystick and game controller subsystems would poll in the background.
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        error = SDL_GetError() + choice.x11_reason();
        return nullptr;
    }
    // Characters come from key presses through TranslateMessage, not from SDL's text input
    // (which would also type the "r" of Alt+R while the menu takes the key).
    SDL_StopTextInput();
    WindowSystem system = window_system(SDL_GetCurrentVideoDriver());
    // Keys SDL found held at start-up were pressed in no window of ours.
    SDL_FlushEvents(SDL_KEYDOWN, SDL_KEYUP);

    SDL_Rect screen{0, 0, 1024, 768};
    if (SDL_GetDisplayBounds(0, &screen) != 0 || screen.w <= 0 || screen.h <= 0)
        screen = SDL_Rect{0, 0, 1024, 768};
    int scale = whole_scale(choice.gdk_scale, system.dpi, screen.w, screen.h, MIN_SCREEN_WIDTH,
                            MIN_SCREEN_HEIGHT);
    return make_backend(scale, screen, std::move(system));
}

} // namespace sdl_display

// In sanitizer builds: SDL2 opens a D-Bus connection on start-up that libdbus never frees. The
// leak checker reads this list of leaks that are not ours; other builds never call it.
extern "C" const char *__lsan_default_suppressions() {
    return "leak:libdbus-1.so\n";
}
