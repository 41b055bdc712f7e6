// The process entry of a program run headless: the program's WinMain on the virtual display,
// driven by an action file.
//   usage: PROGRAM [--screen WxH] [--log FILE] ACTIONS     (ACTIONS may be - for standard input)
#include "gfx/observe.h"
#include "platform/gdi/text/text.h"
#include "platform/win.h"
#include "tools/headless/runner.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

namespace {

int usage(const char *program, const std::string &why) {
    std::fprintf(stderr, "%s: %s\nusage: %s [--screen WxH] [--log FILE] ACTIONS\n", program,
                 why.c_str(), program);
    return 2;
}

// A log observer: each line to the file.
void write_line(const char *line, void *file) {
    std::fputs(line, static_cast<FILE *>(file));
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
    std::string log_path, actions_path;
    for (int i = 1; i < argc; i++) {
        std::string arg = argv[i];
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
        observe_log(write_line, log);
    }

    virtual_display::Display &display = virtual_display::install(width, height);
    headless::Runner runner(display, std::move(actions));
    display.set_idle_handler([&](display::Time deadline) { runner.on_idle(deadline); });

    char command_line[] = "";
    int status = WinMain(reinterpret_cast<HINSTANCE>(uintptr_t(0x400000)), nullptr, command_line,
                         SW_SHOWDEFAULT);
    if (log) {
        observe_log(nullptr, nullptr);
        std::fclose(log);
    }
    return runner.failures() ? 2 : status;
}
