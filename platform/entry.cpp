// The process entry: opens the display, prepares text, and calls the program's WinMain with the
// four arguments a Windows GUI program receives.
#include "platform/display/display.h"
#include "platform/display/sdl/sdl_display.h"
#include "platform/gdi/text/text.h"
#include "platform/user/instance.h"
#include "platform/win.h"

#include <cstdio>
#include <string>

int main(int argc, char **argv) {
    const char *program = argc > 0 ? argv[0] : "korva";
    std::string error;
    std::unique_ptr<display::Backend> backend = sdl_display::open(error);
    if (!backend) {
        std::fprintf(stderr, "%s: cannot open a display: %s\n", program, error.c_str());
        return 1;
    }
    display::install(std::move(backend));

    if (!text::init(error)) {
        std::fprintf(stderr, "%s: %s\n", program, error.c_str());
        display::install(nullptr);
        return 1;
    }

    // The command line, as Windows passes it: the arguments after the program name, joined by
    // spaces.
    std::string command_line;
    for (int i = 1; i < argc; i++) {
        if (i > 1) command_line += ' ';
        command_line += argv[i];
    }
    int result = WinMain(user::program_instance(), nullptr, command_line.data(), SW_SHOWDEFAULT);
    display::install(nullptr); // closes the windows and the display before exit
    return result;
}
