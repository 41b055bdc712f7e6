// The package's state as a process starts, for harnesses that run it many times in one process.
#include "gfx/state.h"

void reset_package_state() {
    // Closing the stream also forgets its direction.
    close_script_file();

    graphics_window = nullptr;
    text_window = nullptr;
    window_dc = nullptr;
    canvas = Canvas{nullptr, nullptr};
    canvas_dirty = 1;
    origin_x = 0;
    origin_y = 0;

    logging_on = 1;

    for (HGLOBAL &line : log_ring) line = nullptr;
    log_oldest = -1;
    log_next = 0;

    pending_kind = EVENT_NONE;
    pending_x = 0;
    pending_y = 0;
    pending_key = 0;
    running = 0;
    single_step = 0;
    quit_requested = 0;
    tick_pending = 0;

    run_menu = nullptr;
    ctrl_down = 0;

    recording = 0;
    playing_back = 0;
    play_one = 0;
    repeat_count = 0;
    script_write_failed = 0;
}
