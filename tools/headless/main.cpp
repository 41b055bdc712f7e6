// The process entry of a program run headless: the program's WinMain on the virtual display,
// driven by an action file.
//   usage: PROGRAM [--screen WxH] [--log FILE] ACTIONS [-- ARGUMENTS...]
//   (ACTIONS may be - for standard input; ARGUMENTS become the program's command line)
#include "gfx/log_stream.h"
#include "platform/gdi/text/text.h"
#include "platform/win.h"
#include "tools/headless/runner.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

namespace {

const char USAGE[] = "usage: %s [--screen WxH] [--log FILE] ACTIONS [-- ARGUMENTS...]\n";

int usage(const char *program, const std::string &why) {
    std::fprintf(stderr, "%s: %s\n", program, why.c_str());
    std::fprintf(stderr, USAGE, program);
    return 2;
}

int help(const char *program) {
    std::printf(USAGE, program);
    std::printf(
        "Runs the program on a screen in memory, with a clock that moves only when told,\n"
        "driven by the actions in the file ACTIONS (- for standard input), one a line:\n"
        "  wait MS               let MS milliseconds pass\n"
        "  click X Y             press the left button at client pixel (X, Y); Y from -20 to -1\n"
        "                        is the menu bar\n"
        "  key COMBO             press a key: a, shift+a, ctrl+r, alt+r, return, f10, up, ...\n"
        "  type TEXT             type the characters of TEXT\n"
        "  focus graphics|text   give the keyboard to one of the two windows\n"
        "  shot FILE.png         save the graphics window's pixels\n"
        "  textshot FILE.png     save the text window's pixels\n"
        "  gif FILE.gif          from now on, keep each picture the graphics window shows as a\n"
        "                        frame of an animated GIF, as long as it was shown\n"
        "  gif end               write that GIF (so do the next gif and the end of the run)\n"
        "  textgif FILE.gif      the same for the text window; textgif end ends it\n"
        "  close                 close the graphics window\n"
        "# starts a comment. When the actions run out, the graphics window is closed.\n"
        "Options:\n"
        "  --screen WxH   the screen's size (1024x768; at least 640x480)\n"
        "  --log FILE     write every log line to FILE\n"
        "  --             what follows is the program's command line\n"
        "Exit status: the program's own; 2 for an action file that cannot be read, a click\n"
        "outside the window or a shot or GIF that cannot be written; 3 for a program that does\n"
        "not end once its window is closed.\n");
    return 0;
}

bool parse_screen(const std::string &text, int &width, int &height) {
    unsigned w = 0, h = 0;
    char end = 0;
    if (std::sscanf(text.c_str(), "%ux%u%c", &w, &h, &end) != 2) return false;
    if (w < 640 || h < 480 || w > 16384 || h > 16384) return false;
    width = int(w);
    height = int(h);
    return true;
}

} // namespace

int main(int argc, char **argv) {
    int width = 1024, height = 768;
    std::string log_path, actions_path, command_line;
    for (int i = 1; i < argc; i++) {
        std::string arg = argv[i];
        if (arg == "--") {
            // As Windows passes it: the program's arguments joined by spaces.
            for (int k = i + 1; k < argc; k++)
                command_line += std::string(k > i + 1 ? " " : "") + argv[k];
            break;
        }
        if (arg == "--help") return help(argv[0]);
        if (arg == "--screen" && i + 1 < argc) {
            if (!parse_screen(argv[++i], width, height))
                return usage(argv[0], "--screen needs WxH, at least 640x480");
        } else if (arg == "--log" && i + 1 < argc) {
            log_path = argv[++i];
        } else if (actions_path.empty() && (arg == "-" || arg.rfind("--", 0) != 0)) {
            actions_path = arg;
        } else {
            return usage(argv[0], "unexpected argument " + arg);
        }
    }
    if (actions_path.empty()) return usage(argv[0], "no action file given");

    std::vector<headless::Action> actions;
    std::string error;
    std::ifstream file;
    if (actions_path != "-") {
        file.open(actions_path);
        if (!file) return usage(argv[0], "cannot read " + actions_path);
    }
    if (!headless::parse_actions(actions_path == "-" ? std::cin : file, actions, error)) {
        std::fprintf(stderr, "%s: %s: %s\n", argv[0], actions_path.c_str(), error.c_str());
        return 2;
    }

    if (!text::init(error)) {
        std::fprintf(stderr, "%s: %s\n", argv[0], error.c_str());
        return 1;
    }
    FILE *log = nullptr;
    if (!log_path.empty()) {
        log = std::fopen(log_path.c_str(), "w");
        if (!log) return usage(argv[0], "cannot write " + log_path + ": " + std::strerror(errno));
        gfx_log_stream = log;
    }

    virtual_display::Display &display = virtual_display::install(width, height);
    headless::Runner runner(display, std::move(actions),
                            std::string(argv[0]) + ": " + actions_path);
    display.set_idle_handler([&](display::Time deadline) { runner.on_idle(deadline); });
    display.set_present_observer([&](int window) { runner.on_present(window); });

    int status = WinMain(reinterpret_cast<HINSTANCE>(uintptr_t(0x400000)), nullptr,
                         command_line.data(), SW_SHOWDEFAULT);
    runner.end_gifs();
    if (log) {
        gfx_log_stream = nullptr;
        std::fclose(log);
    }
    return runner.failures() ? 2 : status;
}
