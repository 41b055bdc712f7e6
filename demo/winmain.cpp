// The process's GUI entry: hands its four arguments to the demo.
#include "demo/demo.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line,
                   int show_mode) {
    return demo_main(instance, previous_instance, command_line, show_mode);
}
