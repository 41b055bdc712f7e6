// The thread's message queue: posting, taking, waiting, dispatching.
//
// What PeekMessageA returns, in Windows' order: posted messages, then input, then WM_QUIT once
// nothing else is queued, then WM_PAINT for invalid visible windows, then WM_TIMER for due
// timers. WM_PAINT and WM_TIMER are never queued; they are made when asked for.
#include "platform/display/display.h"
#include "platform/user/internal.h"
#include "platform/user/reset.h"

#include <algorithm>
#include <deque>

namespace {

// Windows refuses to post more than this many messages to one queue.
constexpr size_t POSTED_LIMIT = 10000;

std::deque<MSG> posted;
std::deque<MSG> input;
uint64_t input_count = 0; // messages ever queued from input
bool quit_pending = false;
int quit_code = 0;

struct Filter {
    HWND window;
    UINT first, last;

    bool accepts_window(HWND h) const { return !window || h == window; }
    bool accepts_message(UINT message) const {
        return (first == 0 && last == 0) || (message >= first && message <= last);
    }
    bool accepts(const MSG &m) const {
        return accepts_window(m.hwnd) && accepts_message(m.message);
    }
};

MSG make_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    MSG m{};
    m.hwnd = window;
    m.message = message;
    m.wParam = wparam;
    m.lParam = lparam;
    m.time = DWORD(display::backend().now());
    return m;
}

bool take_from(std::deque<MSG> &queue, const Filter &filter, bool remove, MSG &msg) {
    auto it =
        std::find_if(queue.begin(), queue.end(), [&](const MSG &m) { return filter.accepts(m); });
    if (it == queue.end()) return false;
    msg = *it;
    if (remove) queue.erase(it);
    return true;
}

// Something PeekMessageA with this filter would return now.
bool message_due(const Filter &filter) {
    auto accepted = [&](const MSG &m) { return filter.accepts(m); };
    return std::any_of(posted.begin(), posted.end(), accepted) ||
           std::any_of(input.begin(), input.end(), accepted) || quit_pending ||
           (filter.accepts_message(WM_PAINT) && user::window_needing_paint(filter.window)) ||
           (filter.accepts_message(WM_TIMER) && user::timer_due(filter.window));
}

bool take_message(MSG &msg, const Filter &filter, bool remove) {
    // Input is collected only as it is needed, one message at a time. Collecting it can post
    // messages (an open menu choosing an entry posts WM_COMMAND), which come first.
    for (bool collected = true; collected; collected = user::collect_input()) {
        if (take_from(posted, filter, remove, msg)) return true;
        if (take_from(input, filter, remove, msg)) {
            if (remove) user::message_taken(msg);
            return true;
        }
    }
    if (take_from(posted, filter, remove, msg)) return true;
    // WM_QUIT is returned whatever the filter, as Windows does.
    if (quit_pending) {
        msg = make_message(nullptr, WM_QUIT, WPARAM(quit_code), 0);
        if (remove) quit_pending = false;
        return true;
    }
    if (filter.accepts_message(WM_PAINT)) {
        if (HWND window = user::window_needing_paint(filter.window)) {
            msg = make_message(window, WM_PAINT, 0, 0); // stays until the window is validated
            return true;
        }
    }
    return filter.accepts_message(WM_TIMER) && user::take_due_timer(filter.window, remove, msg);
}

// Presents what the program drew before looking; when nothing is due, presents again what the
// input taken meanwhile changed (a menu opened), since the program may wait next.
bool peek(MSG &msg, const Filter &filter, bool remove) {
    user::present_changed_windows();
    if (take_message(msg, filter, remove)) return true;
    user::present_changed_windows();
    return false;
}

// Presents what changed (the program's drawing, and what input did to an open menu), then
// sleeps on the backend until input arrives or the next timer is due, unless a message for
// `filter` is due already.
void wait_for(const Filter &filter) {
    user::collect_input();
    user::present_changed_windows();
    if (message_due(filter)) return;
    // Timers the filter leaves out may be due already; they must not cut the sleep short.
    display::Time deadline = filter.accepts_message(WM_TIMER)
                                 ? user::next_timer_deadline(filter.window)
                                 : display::NEVER;
    display::wait_for_input(deadline);
}

} // namespace

namespace user {

void queue_input_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    input.push_back(make_message(window, message, wparam, lparam));
    input_count++;
}

uint64_t input_messages_queued() {
    return input_count;
}

void forget_window_messages(HWND window) {
    auto addressed = [&](const MSG &m) { return m.hwnd == window; };
    std::erase_if(posted, addressed);
    std::erase_if(input, addressed);
}

} // namespace user

BOOL PostMessageA(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    // A null window posts to the thread, as PostThreadMessage does.
    if (window && !user::find_window(window)) return FALSE;
    if (posted.size() >= POSTED_LIMIT) return FALSE;
    posted.push_back(make_message(window, message, wparam, lparam));
    return TRUE;
}

void PostQuitMessage(int exit_code) {
    quit_pending = true;
    quit_code = exit_code;
}

BOOL PeekMessageA(LPMSG msg, HWND window, UINT filter_min, UINT filter_max, UINT remove) {
    if (!msg) return FALSE;
    if (window && !user::find_window(window)) return FALSE;
    return peek(*msg, Filter{window, filter_min, filter_max}, (remove & PM_REMOVE) != 0);
}

BOOL GetMessageA(LPMSG msg, HWND window, UINT filter_min, UINT filter_max) {
    if (!msg) return -1;
    Filter filter{window, filter_min, filter_max};
    for (;;) {
        // A window destroyed while waiting for its messages would otherwise be waited on forever.
        if (window && !user::find_window(window)) return -1;
        if (peek(*msg, filter, true)) return msg->message == WM_QUIT ? 0 : 1;
        wait_for(filter);
    }
}

BOOL WaitMessage(void) {
    wait_for(Filter{nullptr, 0, 0});
    return TRUE;
}

LRESULT DispatchMessageA(const MSG *msg) {
    if (!msg) return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        // Only a live timer's own procedure is called: a posted WM_TIMER cannot name any code.
        TIMERPROC proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        if (!user::is_timer_procedure(msg->hwnd, msg->wParam, proc)) return 0;
        proc(msg->hwnd, WM_TIMER, msg->wParam, msg->time);
        return 0;
    }
    return SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    user::Window *w = user::find_window(window);
    if (!w) return 0;
    return w->procedure(window, message, wparam, lparam);
}

void user::reset_message_queue() {
    posted.clear();
    input.clear();
    quit_pending = false;
    quit_code = 0;
}

namespace {
struct SavedQueue {
    std::deque<MSG> posted, input;
    uint64_t input_count = 0;
    bool quit_pending = false;
    int quit_code = 0;
};
SavedQueue saved_queue;
} // namespace

void user::save_message_queue() {
    saved_queue = SavedQueue{posted, input, input_count, quit_pending, quit_code};
}

void user::restore_message_queue() {
    posted = saved_queue.posted;
    input = saved_queue.input;
    input_count = saved_queue.input_count;
    quit_pending = saved_queue.quit_pending;
    quit_code = saved_queue.quit_code;
}
