// The event wait: pumping messages, deciding events, and the animation control.
#include "gfx/state.h"

// Handles at most one message, then shows the canvas if it changed. Returns whether a message
// was taken. The quit message is not dispatched and leaves the canvas as it is.
bool pump_message() {
    MSG message;
    bool took = PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);
    if (took) {
        if (message.message == WM_QUIT) {
            pending_kind = EVENT_QUIT;
            return true;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (canvas_dirty) {
        copy_canvas_to_window();
        canvas_dirty = 0;
    }
    return took;
}

void handle_timer() {
    tick_pending = 1;
}

// The press point, in client pixels (unsigned 16-bit halves of lparam), becomes canvas
// coordinates: origin at the client centre, y upwards.
void handle_left_button(LPARAM lparam) {
    int client_x = LOWORD(lparam);
    int client_y = HIWORD(lparam);
    pending_kind = EVENT_MOUSE;
    pending_x = client_x - origin_x;
    pending_y = origin_y - client_y;
}

// Characters typed with Ctrl held are no events: the Ctrl shortcuts act on the key-downs. With
// Alt held too the key was AltGr, which types characters like any other key.
void handle_character(WPARAM wparam) {
    if (ctrl_down == 1 && !alt_key_held()) return;
    pending_kind = EVENT_KBD;
    pending_key = char(wparam & 0xFF);
}

// One pass: a message, then a script event when playing, then the periodic decision. Returns
// whether the wait ended with a script event; sets `took_message`.
static bool run_pass(bool &took_message) {
    took_message = pump_message();
    // A quit taken in this pass ends the wait with EVENT_QUIT; the script keeps its next event.
    if ((play_one || playing_back) && pending_kind != EVENT_QUIT) {
        play_one = 0;
        if (read_script_event()) return true;
        play_one = 0;
        playing_back = 0;
    }
    if ((single_step || running) && pending_kind == EVENT_NONE) {
        tick_pending = 0;
        pending_kind = EVENT_PERIODIC;
        single_step = 0;
    }
    return false;
}

static bool wait_is_over() {
    return pending_kind != EVENT_NONE && (pending_kind != EVENT_PERIODIC || tick_pending);
}

// Waits for one event. After a pass that took no message and did not end the wait, it sleeps
// in WaitMessage until something is due, instead of polling without pause.
static int wait_for_event(EventData *data) {
    pending_kind = EVENT_NONE;
    pending_key = 0;
    pending_y = 0;
    pending_x = 0;
    for (;;) {
        bool took_message = false;
        if (run_pass(took_message) || wait_is_over()) break;
        if (!took_message) WaitMessage();
    }
    record_decided_event();
    data->x = pending_x;
    data->y = pending_y;
    data->key = pending_key;
    return quit_requested ? EVENT_QUIT : pending_kind;
}

// Without an open package no window could ever end the wait, so it ends at once with
// EVENT_QUIT; the first time, the program is told why on stderr (there is no log window).
static bool package_open_for_wait() {
    if (window_dc) return true;
    if (!told_not_open)
        fprintf(stderr, "gfx_await_event: gfx_open was not called (or gfx_close was); "
                        "returning EVENT_QUIT\n");
    told_not_open = true;
    return false;
}

int gfx_await_event(int &x, int &y, char &key) {
    if (!package_open_for_wait()) {
        x = 0;
        y = 0;
        key = 0;
        return EVENT_QUIT;
    }
    EventData data = {0, 0, 0};
    int kind = wait_for_event(&data);
    x = data.x;
    y = data.y;
    key = data.key;
    return kind;
}

int gfx_animate(int mode) {
    if (!graphics_window) return 0;
    switch (mode) {
    case ANIMATE_HALT:
        running = 0;
        single_step = 0;
        break;
    case ANIMATE_STEP: single_step = 1; break;
    case ANIMATE_RUN: running = 1; break;
    case ANIMATE_QUIT: quit_requested = 1; break;
    default: break;
    }
    return 1;
}
