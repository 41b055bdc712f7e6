// The process entry in a web page: the lasting storage for KORVA.SCR, the web display, text, and
// the program's WinMain with the four arguments a Windows GUI program receives; then the page
// is told the program has ended.
#include "platform/display/display.h"
#include "platform/display/web/web_display.h"
#include "platform/display/web/web_page.h"
#include "platform/gdi/text/text.h"
#include "platform/user/instance.h"
#include "platform/win.h"

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

// The program's working folder: the page's lasting storage, where KORVA.SCR is written.
const char STORAGE_FOLDER[] = "/korva";

} // namespace

int main(int argc, char **argv) {
    const char *program = argc > 0 ? argv[0] : "korva";
    if (!korva_web_mount_storage(STORAGE_FOLDER))
        std::fprintf(stderr,
                     "%s: the browser keeps no files for this page: recordings are "
                     "not kept\n",
                     program);
    if (chdir(STORAGE_FOLDER) != 0) std::perror(STORAGE_FOLDER);

    display::install(web_display::open());
    std::string error;
    if (!text::init(error)) {
        std::fprintf(stderr, "%s: %s\n", program, error.c_str());
        display::install(nullptr);
        korva_web_program_ended(1);
        return 1;
    }
    std::string command_line = user::command_line(argc, argv);
    int result = WinMain(user::program_instance(), nullptr, command_line.data(), SW_SHOWDEFAULT);
    display::install(nullptr); // removes the windows from the page
    korva_web_program_ended(result);
    return result;
}
