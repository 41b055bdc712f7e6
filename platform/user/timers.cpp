// Timers: deadlines on the backend's clock, turned into WM_TIMER when the queue is polled.
//
// There is no timer thread. A timer that has come due stays due until its WM_TIMER is taken;
// taking it re-arms the timer for the first period boundary after the present moment, so a
// program that was busy for several periods gets one WM_TIMER, not a burst, and keeps the
// timer's phase, as Windows does.
#include "platform/display/display.h"
#include "platform/user/internal.h"
#include "platform/user/reset.h"

#include <algorithm>
#include <vector>

namespace {

struct Timer {
    HWND window = nullptr;
    UINT_PTR id = 0;
    display::Time period = 0;
    display::Time deadline = 0;
    TIMERPROC procedure = nullptr;
};

std::vector<Timer> timers;

// Windows raises shorter periods to 10 ms and caps longer ones at 0x7FFFFFFF.
constexpr UINT MINIMUM_PERIOD = 10;
constexpr UINT MAXIMUM_PERIOD = 0x7FFFFFFF;

// Ids of timers without a window are chosen here, as Windows does; they never repeat.
constexpr UINT_PTR FIRST_THREAD_TIMER_ID = 0x7FFE;
UINT_PTR next_thread_timer_id = FIRST_THREAD_TIMER_ID;

Timer *find_timer(HWND window, UINT_PTR id) {
    for (Timer &t : timers)
        if (t.window == window && t.id == id) return &t;
    return nullptr;
}

} // namespace

namespace user {

display::Time next_timer_deadline(HWND filter) {
    display::Time next = display::NEVER;
    for (const Timer &t : timers)
        if (!filter || t.window == filter) next = std::min(next, t.deadline);
    return next;
}

bool timer_due(HWND filter) {
    display::Time now = display::backend().now();
    for (const Timer &t : timers)
        if (t.deadline <= now && (!filter || t.window == filter)) return true;
    return false;
}

bool take_due_timer(HWND filter, bool remove, MSG &msg) {
    display::Time now = display::backend().now();
    Timer *due = nullptr;
    for (Timer &t : timers)
        if (t.deadline <= now && (!filter || t.window == filter) &&
            (!due || t.deadline < due->deadline))
            due = &t;
    if (!due) return false;
    msg = MSG{};
    msg.hwnd = due->window;
    msg.message = WM_TIMER;
    msg.wParam = due->id;
    msg.lParam = reinterpret_cast<LPARAM>(due->procedure);
    msg.time = DWORD(now);
    if (remove) due->deadline += due->period * ((now - due->deadline) / due->period + 1);
    return true;
}

bool is_timer_procedure(HWND window, UINT_PTR id, TIMERPROC proc) {
    const Timer *t = find_timer(window, id);
    return t && t->procedure == proc;
}

void kill_window_timers(HWND window) {
    std::erase_if(timers, [&](const Timer &t) { return t.window == window; });
}

} // namespace user

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse_ms, TIMERPROC proc) {
    if (window && !user::find_window(window)) return 0;
    if (!window && (!id || !find_timer(nullptr, id))) id = next_thread_timer_id++;
    Timer *timer = find_timer(window, id);
    if (!timer) { // a timer set again with the same id starts over
        timers.push_back(Timer{});
        timer = &timers.back();
    }
    timer->window = window;
    timer->id = id;
    timer->period = std::clamp(elapse_ms, MINIMUM_PERIOD, MAXIMUM_PERIOD);
    timer->deadline = display::backend().now() + timer->period;
    timer->procedure = proc;
    return window ? (id ? id : 1) : id;
}

BOOL KillTimer(HWND window, UINT_PTR id) {
    size_t before = timers.size();
    std::erase_if(timers, [&](const Timer &t) { return t.window == window && t.id == id; });
    return timers.size() != before;
}

void user::reset_timers() {
    timers.clear();
    next_thread_timer_id = FIRST_THREAD_TIMER_ID;
}

namespace {
std::vector<Timer> saved_timers;
UINT_PTR saved_next_thread_timer_id = FIRST_THREAD_TIMER_ID;
} // namespace

void user::save_timers() {
    saved_timers = timers;
    saved_next_thread_timer_id = next_thread_timer_id;
}

void user::restore_timers() {
    timers = saved_timers;
    next_thread_timer_id = saved_next_thread_timer_id;
}
