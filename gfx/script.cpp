// Scripts: recording the events a wait decides into KORVA.SCR, and playing them back.
//
// Recording and playback share one stream and one counter, so they never run together: a
// recording is refused while a script is being played, and a playback while a recording is on.
// A recording closes what a finished playback left open when it starts.
#include "gfx/state.h"

#include <cctype>
#include <cstring>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

static const char SCRIPT_NAME[] = "KORVA.SCR";
enum { SCRIPT_LINE_SIZE = 512 };

// Opens KORVA.SCR only if it is a plain file (or a link to one), and without ever waiting: a
// FIFO or a device would block the open or the reads, and a directory reads as nothing.
static FILE *open_script(bool writing) {
    if (script_opener) return script_opener(writing, script_opener_context);
#ifdef _WIN32
    // Windows opens no directory as a file, and KORVA.SCR can name neither a pipe nor a device.
    return fopen(SCRIPT_NAME, writing ? "wt" : "rt");
#else
    int flags = writing ? O_WRONLY | O_CREAT | O_TRUNC : O_RDONLY;
    int fd = open(SCRIPT_NAME, flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    struct stat status;
    FILE *file = nullptr;
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0)
        file = fdopen(fd, writing ? "w" : "r");
    if (!file) close(fd);
    return file;
#endif
}

void redirect_script(ScriptOpener opener, void *context) {
    script_opener = opener;
    script_opener_context = context;
}

// The first failure is reported; from then on nothing more is written to that file, so that a
// line cut by the failure is never followed by others.
static void report_write_error() {
    if (!script_write_failed) gfx_log("Cannot write script file %s\n", SCRIPT_NAME);
    script_write_failed = 1;
}

void close_script_file() {
    if (!script_file) return;
    if (fclose(script_file) != 0 && script_writing) report_write_error();
    script_file = nullptr;
    script_writing = false;
}

// ---- Writing -------------------------------------------------------------------------------

void record_event(int kind, int x, int y, char key) {
    if (!script_file) {
        script_file = open_script(true);
        if (!script_file) {
            gfx_log("Cannot open script file %s for writing\n", SCRIPT_NAME);
            return;
        }
        script_writing = true;
        script_write_failed = 0;
    }
    if (script_write_failed) return;
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
    if (playing_back || play_one) {
        gfx_log("Cannot record to script file %s while it is being played\n", SCRIPT_NAME);
        return;
    }
    recording = 1;
    CheckMenuItem(run_menu, CMD_RECORD, MF_CHECKED);
    // What a finished playback left, its stream and the rest of a count, is no part of this
    // recording. The file itself is emptied only by the first line written.
    close_script_file();
    repeat_count = 0;
}

void stop_recording() {
    recording = 0;
    CheckMenuItem(run_menu, CMD_RECORD, MF_UNCHECKED);
    if (repeat_count > 0) {
        record_event(EVENT_PERIODIC, pending_x, pending_y, pending_key);
        repeat_count = 0;
    }
    close_script_file();
}

void finish_recording() {
    if (recording) stop_recording();
}

void record_decided_event() {
    if (!recording) return;
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
// before the newline is dropped, so scripts written with CR LF line ends play too. A last line
// without a newline counts only when its event is complete (its ");" is there): a line cut
// short, by a full disk or a crash while recording, is where the script ends.
static bool read_script_line(char *line) {
    if (!fgets(line, SCRIPT_LINE_SIZE, script_file)) return false;
    size_t length = strlen(line);
    bool cut = length > 0 && line[length - 1] != '\n' && feof(script_file);
    if (cut && !strstr(line, ");")) return false;
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

int read_script_event() {
    if (recording) {
        gfx_log("Cannot play script file %s while it is being recorded\n", SCRIPT_NAME);
        stop_playback();
        return 0;
    }
    if (!script_file) {
        script_file = open_script(false);
        if (!script_file) {
            gfx_log("Cannot open script file %s for reading\n", SCRIPT_NAME);
            stop_playback();
            return 0;
        }
        script_writing = false;
    }

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
