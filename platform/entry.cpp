// The process entry: opens the display, prepares text, and calls the program's WinMain with the
// four arguments a Windows GUI program receives.
#include "platform/display/display.h"
#include "platform/display/sdl/sdl_display.h"
#include "platform/display/sdl/window_system.h"
#include "platform/gdi/text/text.h"
#include "platform/user/instance.h"
#include "platform/user/session.h"
#include "platform/win.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const char *program = "korva";

// The X server went away (it ended, or the session did): the program's windows are gone and the
// process must end now. Its windows are told the session ends, so that a recording is completed.
void display_lost() {
    const char *name = std::getenv("DISPLAY");
    std::fprintf(stderr, "%s: the connection to the X server%s%s was lost; the program ends\n",
                 program, name ? " at " : "", name ? name : "");
    user::end_session();
}

} // namespace

int main(int argc, char **argv) {
    if (argc > 0) program = argv[0];
    std::string error;
    std::unique_ptr<display::Backend> backend = sdl_display::open(error);
    if (!backend) {
        std::fprintf(stderr, "%s: cannot open a display: %s\n", program, error.c_str());
        return 1;
    }
    display::install(std::move(backend));
    sdl_display::when_window_system_lost(display_lost);

    if (!text::init(error)) {
        std::fprintf(stderr, "%s: %s\n", program, error.c_str());
        display::install(nullptr);
        return 1;
    }

    std::string command_line = user::command_line(argc, argv);
    int result = WinMain(user::program_instance(), nullptr, command_line.data(), SW_SHOWDEFAULT);
    display::install(nullptr); // closes the windows and the display before exit
    return result;
}
