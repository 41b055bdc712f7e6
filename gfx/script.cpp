// Scripts: recording the events a wait decides into KORVA.SCR, and playing them back.
//
// Recording and playback share one stream and one counter. The rules that keep them apart:
// while a script is being played, recording neither counts, writes nor closes anything; a
// finished playback's stream is closed by the recording's first event; a read is refused while
// the recording owns the file.
#include "gfx/state.h"

#include <cctype>
#include <cstring>

static const char SCRIPT_NAME[] = "KORVA.SCR";
enum { SCRIPT_LINE_SIZE = 512 };

static void report_write_error() {
    if (write_error_reported) return;
    gfx_log("Cannot write script file %s\n", SCRIPT_NAME);
    write_error_reported = true;
}

void close_script_file() {
    if (!script_file) return;
    if (fclose(script_file) != 0 && script_writing) report_write_error();
    script_file = nullptr;
    script_writing = false;
}

// ---- Writing -------------------------------------------------------------------------------

void record_event(int kind, int x, int y, char key) {
    // A finished playback may have left its stream open for reading: the recording takes over.
    if (script_file && !script_writing) close_script_file();
    if (!script_file) {
        script_file = fopen(SCRIPT_NAME, "wt");
        if (!script_file) {
            gfx_log("Cannot open script file %s for writing\n", SCRIPT_NAME);
            return;
        }
        script_writing = true;
    }
    int written = 0;
    switch (kind) {
    case EVENT_MOUSE: written = fprintf(script_file, "KORVA_MOUSE(%d, %d);\n", x, y); break;
    case EVENT_KBD:
        written = fprintf(script_file, "KORVA_KBD(%d);\n", int(static_cast<signed char>(key)));
        break;
    case EVENT_PERIODIC:
        written = fprintf(script_file, "KORVA_PERIODIC(%d);\n", repeat_count);
        break;
    default: break;
    }
    // Each line is flushed, so that a failing disk is noticed while recording.
    if (written < 0 || fflush(script_file) != 0 || ferror(script_file)) report_write_error();
}

void start_recording() {
    recording = 1;
    CheckMenuItem(run_menu, CMD_RECORD, MF_CHECKED);
    write_error_reported = false;
    told_recording_blocked = false;
    // A count left by an earlier playback must not be folded into this recording.
    bool playback_stream_open = script_file && !script_writing;
    if (!playing_back && !playback_stream_open) repeat_count = 0;
}

void stop_recording() {
    recording = 0;
    CheckMenuItem(run_menu, CMD_RECORD, MF_UNCHECKED);
    // A stream open for reading belongs to a playback, and so does the count: leave both.
    if (script_file && !script_writing) return;
    if (repeat_count > 0) {
        record_event(EVENT_PERIODIC, pending_x, pending_y, pending_key);
        repeat_count = 0;
    }
    close_script_file();
}

void record_decided_event(bool from_script) {
    if (!recording) return;
    if (playing_back || from_script) {
        if (!told_recording_blocked)
            gfx_log("Cannot record to script file %s while it is being played\n", SCRIPT_NAME);
        told_recording_blocked = true;
        return;
    }
    // The stream of a playback that is over goes, with whatever count it left.
    if (script_file && !script_writing) {
        close_script_file();
        repeat_count = 0;
    }
    if (pending_kind == EVENT_PERIODIC) {
        if (repeat_count == INT32_MAX) {
            record_event(EVENT_PERIODIC, pending_x, pending_y, pending_key);
            repeat_count = 0;
        }
        repeat_count++;
        return;
    }
    if (repeat_count > 0) {
        record_event(EVENT_PERIODIC, pending_x, pending_y, pending_key);
        repeat_count = 0;
    }
    record_event(pending_kind, pending_x, pending_y, pending_key);
}

// ---- Reading -------------------------------------------------------------------------------

void stop_playback() {
    playing_back = 0;
    play_one = 0;
    CheckMenuItem(run_menu, CMD_PLAYBACK, MF_UNCHECKED);
}

// Playback ended by command: its stream is closed, so the next playback starts from the top.
void end_playback() {
    playing_back = 0;
    CheckMenuItem(run_menu, CMD_PLAYBACK, MF_UNCHECKED);
    if (script_file && !script_writing) {
        close_script_file();
        repeat_count = 0;
    }
}

// Reads one line of at most 511 characters; a longer line comes in pieces. A carriage return
// before the newline is dropped, so scripts written with CR LF line ends play too.
static bool read_script_line(char *line) {
    if (!fgets(line, SCRIPT_LINE_SIZE, script_file)) return false;
    size_t length = strlen(line);
    if (length >= 2 && line[length - 2] == '\r' && line[length - 1] == '\n') {
        line[length - 2] = '\n';
        line[length - 1] = '\0';
    }
    return true;
}

static bool is_digit(char c) {
    return isdigit(static_cast<unsigned char>(c)) != 0;
}

// A decimal number: an optional minus sign, then digits up to the first other character; no
// digit gives 0; values beyond 32 bits saturate.
static int32_t number_at(const char *run, bool allow_sign) {
    bool negative = allow_sign && *run == '-';
    if (negative) run++;
    int64_t value = 0;
    for (; is_digit(*run); run++) {
        value = value * 10 + (*run - '0');
        if (value > int64_t(INT32_MAX) + 1) value = int64_t(INT32_MAX) + 1;
    }
    if (negative) return int32_t(-value);
    return value > INT32_MAX ? INT32_MAX : int32_t(value);
}

// A signed field: the first run of digits and minus signs at or after `from`. Returns the
// position after the run.
static size_t signed_field(const char *line, size_t from, int32_t &value) {
    size_t start = from;
    while (line[start] != '\0' && !is_digit(line[start]) && line[start] != '-') start++;
    size_t end = start;
    while (is_digit(line[end]) || line[end] == '-') end++;
    value = number_at(line + start, true);
    return end;
}

// An unsigned field: the first run of digits at or after `from`; a minus sign is passed over.
static int32_t unsigned_field(const char *line, size_t from) {
    size_t start = from;
    while (line[start] != '\0' && !is_digit(line[start])) start++;
    return number_at(line + start, false);
}

static void refuse_playback_while_recording() {
    gfx_log("Cannot play script file %s while it is being recorded\n", SCRIPT_NAME);
    stop_playback();
}

// The stream to read the next event from: the playback's own, opened on its first read. False,
// with playback stopped, when the file cannot be opened or a recording owns it.
static bool open_for_reading() {
    if (!script_file) {
        // Periodic events a recording has counted but not yet written own the file already.
        if (recording && repeat_count > 0) {
            refuse_playback_while_recording();
            return false;
        }
        script_file = fopen(SCRIPT_NAME, "rt");
        if (!script_file) {
            gfx_log("Cannot open script file %s for reading\n", SCRIPT_NAME);
            stop_playback();
            return false;
        }
        script_writing = false;
    } else if (script_writing) {
        refuse_playback_while_recording();
        return false;
    }
    return true;
}

int read_script_event() {
    if (!open_for_reading()) return 0;
    if (repeat_count > 0) {
        repeat_count--;
        pending_kind = EVENT_PERIODIC;
        return 1;
    }

    char line[SCRIPT_LINE_SIZE];
    bool got_line;
    do {
        got_line = read_script_line(line);
    } while (got_line && strcmp(line, "\n") == 0);
    // The end of the file, or a read error, ends playback.
    if (!got_line) {
        gfx_log("EOF encountered in script file %s\n", SCRIPT_NAME);
        stop_playback();
        return 0;
    }

    // The event is named by the character after the six-character prefix.
    if (strlen(line) < 7) return 0;
    int32_t value = 0;
    switch (line[6]) {
    case 'K':
        signed_field(line, 6, value);
        pending_kind = EVENT_KBD;
        pending_key = char(value & 0xFF);
        return 1;
    case 'M': {
        size_t after = signed_field(line, 6, value);
        pending_kind = EVENT_MOUSE;
        pending_x = value;
        signed_field(line, after, value);
        pending_y = value;
        return 1;
    }
    case 'P':
        value = unsigned_field(line, 6);
        pending_kind = EVENT_PERIODIC;
        repeat_count = value > 0 ? value - 1 : 0;
        return 1;
    default: return 0;
    }
}
