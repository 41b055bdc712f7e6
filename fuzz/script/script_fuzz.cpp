// Fuzz target: any bytes as KORVA.SCR, played back through the package's own playback path,
// read from memory, with faults: a read error part way, memory blocks that cannot be had.
//
// An input is a byte of fault flags, a byte that says where the read error comes, then the
// script. On the package opened once, Playback Script is chosen from the Run menu (a WM_COMMAND
// through the message queue, as a menu choice arrives); then events are awaited until playback
// ends. A line that names no event stops playback with the check mark still on; Playback Script
// is then chosen again, which goes on after that line, until the end of the file.
// Checked besides memory safety: playback never waits for input (the wait never idles while it
// plays), every event it gives is a script event, the harness's click comes as itself once
// playback is over, playback always ends, and the only message is the end-of-file line.
#include "fuzz/harness/bytes.h"
#include "fuzz/harness/check.h"
#include "fuzz/harness/fresh.h"
#include "fuzz/harness/memory_script.h"
#include "fuzz/harness/opened.h"
#include "gfx/state.h"
#include "platform/kernel/global_memory.h"
#include "tools/headless/runner.h"

#include <cstdint>
#include <cstdio>

namespace {

// A periodic line may stand for two billion events: playback is ended by command after these.
constexpr int MAX_EVENTS = 1000;

// Fault flags, in the first byte.
constexpr uint8_t READ_ERROR = 1;       // reads fail after 8 times the second byte's value
constexpr uint8_t NO_MEMORY_BLOCKS = 2; // every GlobalAlloc fails (log lines are not kept)

// Where the harness clicks once playback is over: client pixel (10, 20) of the graphics window.
constexpr int CLICK_X = 10, CLICK_Y = 20;

const char END_MESSAGE[] = "EOF encountered in script file KORVA.SCR\n";

bool playback_checked() {
    return (GetMenuState(run_menu, CMD_PLAYBACK, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void choose_playback() {
    PostMessageA(graphics_window, WM_COMMAND, CMD_PLAYBACK, 0);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    harness::OpenedPackage opened;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    harness::MemoryScript script; // outlives the run, whose end closes the stream
    harness::OpenedPackage opened;
    virtual_display::Display &display = opened.display;
    harness::Bytes header(data, size);
    uint8_t faults = header.byte();
    size_t read_error_at = size_t(header.byte()) * 8;
    size_t skipped = size < 2 ? size : 2;

    script.content.assign(reinterpret_cast<const char *>(data) + skipped, size - skipped);
    if (faults & READ_ERROR) script.readable = read_error_at;
    script.install();
    if (faults & NO_MEMORY_BLOCKS) kernel::fail_next_allocations(1 << 30);
    harness::LogCapture log;

    // The wait idles only when nothing is due; playback must never leave it so. Once playback
    // is over, a click ends the wait.
    bool idled = false;
    display.set_idle_handler([&](display::Time) {
        HARNESS_CHECK(!playing_back, "the wait idled during playback");
        idled = true;
        int graphics = display.find_window(headless::GRAPHICS_TITLE);
        display.click(graphics, CLICK_X, CLICK_Y + GetSystemMetrics(SM_CYMENU));
    });

    choose_playback();
    int events = 0;
    bool over = false;
    // At the cap, playback is ended while it plays: by then the command ends it.
    while (!over && !(events >= MAX_EVENTS && playing_back)) {
        int x = 0, y = 0;
        char key = 0;
        idled = false;
        int kind = gfx_await_event(x, y, key);
        HARNESS_CHECK(++events < 4 * MAX_EVENTS, "playback neither ends nor plays on");
        if (idled) {
            // The click: the script gave no event in this wait.
            HARNESS_CHECK(kind == EVENT_MOUSE && x == CLICK_X - origin_x && y == origin_y - CLICK_Y,
                          "the click came as event %d at (%d, %d)", kind, x, y);
        } else {
            HARNESS_CHECK(kind == EVENT_MOUSE || kind == EVENT_KBD || kind == EVENT_PERIODIC,
                          "playback gave event kind %d", kind);
        }
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
    std::string messages = log.take();
    HARNESS_CHECK(messages == (over ? END_MESSAGE : ""), "unexpected log: %s", messages.c_str());
    display.set_idle_handler(nullptr);
    return 0;
}
