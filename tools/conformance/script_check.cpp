#include "tools/conformance/script_check.h"

#include "gfx/state.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

struct ScriptEvent {
    int kind, x, y;
    char key;
};

// Folded ticks before and after other events, a click at the top-left corner, keys on both
// sides of 127 (233 is written as -23).
const std::vector<ScriptEvent> EVENTS = {
    {EVENT_PERIODIC, 0, 0, 0},   {EVENT_PERIODIC, 0, 0, 0}, {EVENT_PERIODIC, 0, 0, 0},
    {EVENT_MOUSE, -297, 240, 0}, {EVENT_KBD, 0, 0, 'a'},    {EVENT_KBD, 0, 0, char(233)},
    {EVENT_PERIODIC, 0, 0, 0},   {EVENT_MOUSE, 12, -34, 0}, {EVENT_KBD, 0, 0, 'Z'},
    {EVENT_PERIODIC, 0, 0, 0},   {EVENT_PERIODIC, 0, 0, 0},
};

std::string describe(const ScriptEvent &e) {
    return "(kind " + std::to_string(e.kind) + ", " + std::to_string(e.x) + ", " +
           std::to_string(e.y) + ", key " + std::to_string(int(static_cast<unsigned char>(e.key))) +
           ")";
}

bool enter(const std::string &directory, std::string &error) {
    std::error_code failure;
    std::filesystem::create_directories(directory, failure);
    std::filesystem::current_path(directory, failure);
    if (failure) error = "cannot work in " + directory + ": " + failure.message();
    return !failure;
}

} // namespace

bool record_script(const std::string &directory, std::string &error) {
    if (!enter(directory, error)) return false;
    recording = 1;
    for (const ScriptEvent &e : EVENTS) {
        pending_kind = e.kind;
        pending_x = e.x;
        pending_y = e.y;
        pending_key = e.key;
        record_decided_event();
    }
    stop_recording();
    return true;
}

bool play_script(const std::string &directory, const std::string &line_end, std::string &error) {
    if (!enter(directory, error)) return false;
    std::ifstream file("KORVA.SCR", std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    std::string text = bytes.str();
    size_t newlines = 0, crlfs = 0;
    for (size_t i = 0; i < text.size(); i++)
        if (text[i] == '\n') {
            newlines++;
            if (i > 0 && text[i - 1] == '\r') crlfs++;
        }
    bool wanted_crlf = line_end == "crlf";
    if (newlines == 0 || crlfs != (wanted_crlf ? newlines : 0)) {
        error = "KORVA.SCR does not have " + line_end + " line ends (" + std::to_string(crlfs) +
                " of " + std::to_string(newlines) + " newlines follow a carriage return)";
        return false;
    }

    playing_back = 1;
    std::vector<ScriptEvent> played;
    for (;;) {
        pending_kind = EVENT_NONE;
        pending_x = pending_y = 0;
        pending_key = 0;
        if (!read_script_event() || played.size() > EVENTS.size()) break;
        played.push_back({pending_kind, pending_x, pending_y, pending_key});
    }
    close_script_file();
    for (size_t i = 0; i < std::max(played.size(), EVENTS.size()); i++) {
        std::string want = i < EVENTS.size() ? describe(EVENTS[i]) : "nothing";
        std::string got = i < played.size() ? describe(played[i]) : "nothing";
        if (want != got) {
            error = "event " + std::to_string(i) + " played as " + got + ", recorded as " + want;
            return false;
        }
    }
    printf("played %zu events from a script with %s line ends\n", played.size(), line_end.c_str());
    return true;
}
