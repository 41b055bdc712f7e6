// What the process entry passes to WinMain: the program's instance handle and command line.
#pragma once

#include "platform/win.h"

#include <string>

namespace user {

// A token naming the program's module; the same value on every call.
HINSTANCE program_instance();

// The command line as Windows passes it: the arguments after the program's name, joined by
// spaces.
inline std::string command_line(int argc, char **argv) {
    std::string line;
    for (int i = 1; i < argc; i++) {
        if (i > 1) line += ' ';
        line += argv[i];
    }
    return line;
}

} // namespace user
