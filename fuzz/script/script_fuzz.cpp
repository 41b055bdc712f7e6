// Fuzz target: any bytes as KORVA.SCR, played back through the package's own playback path.
//
// The package is opened on the virtual display and Playback Script is chosen from the Run menu
// (a WM_COMMAND through the message queue, as a menu choice arrives); then events are awaited
// until playback ends. A line that names no event stops playback with the check mark still on;
// Playback Script is then chosen again, which goes on after that line, until the end of the file.
// Checked besides memory safety: only script events come while playing, playback never waits
// for the clock, it always ends, and the only message is the end-of-file line.
#include "fuzz/harness/check.h"
#include "fuzz/harness/fresh.h"
#include "gfx/state.h"
#include "tools/headless/runner.h"

#include <cstdint>
#include <cstdio>

namespace {

// A periodic line may stand for two billion events: playback is ended by command after these.
constexpr int MAX_EVENTS = 20000;

const char END_MESSAGE[] = "EOF encountered in script file KORVA.SCR\n";

bool playback_checked() {
    return (GetMenuState(run_menu, CMD_PLAYBACK, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void choose_playback() {
    PostMessageA(graphics_window, WM_COMMAND, CMD_PLAYBACK, 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    virtual_display::Display &display = harness::fresh_start();
    FILE *script = std::fopen("KORVA.SCR", "wb");
    HARNESS_CHECK(script, "cannot write KORVA.SCR");
    if (size > 0) std::fwrite(data, 1, size, script);
    std::fclose(script);

    harness::LogCapture log;
    char command_line[] = "";
    gfx_open(nullptr, nullptr, command_line, SW_SHOWDEFAULT);
    // Once playback has stopped, a wait has nothing to end it: a click does.
    display.set_idle_handler([&](display::Time) {
        display.click(display.find_window(headless::GRAPHICS_TITLE), 10, 40);
    });

    choose_playback();
    int events = 0;
    bool over = false;
    while (!over && events < MAX_EVENTS) {
        int x = 0, y = 0;
        char key = 0;
        int kind = gfx_await_event(x, y, key);
        events++;
        HARNESS_CHECK(kind == EVENT_MOUSE || kind == EVENT_KBD || kind == EVENT_PERIODIC,
                      "event kind %d", kind);
        if (playing_back) continue;
        if (playback_checked())
            choose_playback(); // stopped at a line that names no event: go on after it
        else
            over = true;
    }
    if (!over) {
        choose_playback(); // ends it
        int x = 0, y = 0;
        char key = 0;
        gfx_await_event(x, y, key);
        HARNESS_CHECK(!playing_back && !playback_checked(), "playback did not end by command");
    }
    HARNESS_CHECK(display.now() == 0, "playback waited for the clock (%llu ms)",
                  static_cast<unsigned long long>(display.now()));
    std::string messages = log.take();
    HARNESS_CHECK(messages == (over ? END_MESSAGE : ""), "unexpected log: %s", messages.c_str());
    gfx_close();
    harness::finish();
    return 0;
}
