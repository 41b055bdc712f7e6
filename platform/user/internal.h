// What the files of the window layer call in each other. Not for the package or the GDI side.
#pragma once

#include "platform/display/display.h"
#include "platform/user/window_table.h"
#include "platform/win.h"

namespace user {

// ---- Geometry (geometry.cpp) ----

// Where the backend shows the window: outer position, emulated decorations, content size.
display::Placement placement_of(const Window &window);

// The client area's top-left corner in screen coordinates.
POINT client_origin(const Window &window);

// Recomputes the client size from the outer rectangle and the menu bar, resizes the surface
// (keeping the pixels that still fit) and moves the backend window. True when the client size
// changed.
bool apply_geometry(Window &window);

// The menu bar appears (height MENU_BAR) or goes (0): the outer rectangle stays, the client
// area shrinks or grows, the window gets WM_SIZE and is repainted.
void set_menu_bar_height(HWND window, int height);

// The user resized the backend window's content to width x height.
void content_resized(HWND window, int width, int height);

// ---- Menus (menu/menus.cpp) ----

// The entries of `menu` changed: the windows whose bar it is redraw the bar, and an open menu
// is shown again.
void menu_changed(HMENU menu);

// ---- The open menu (menu/tracking.cpp) ----

// Opens the window's menu from the keyboard (WM_SYSCOMMAND SC_KEYMENU): with `key` 0 the bar's
// first entry is selected (F10); otherwise the bar entry with that mnemonic opens.
void open_menu_by_key(HWND window, unsigned char key);
// Input from the backend that the menu takes: every mouse and key event while a menu is open,
// and a left press on a menu bar entry that opens one. True when the event goes no further.
bool menu_takes_mouse(const display::InputEvent &event);
bool menu_takes_key(const display::InputEvent &event);
// Closes the open menu if what it shows is gone: its window destroyed or hidden, or the bar
// entry it opened. Called where input and presentation begin; the queries below change nothing.
void check_open_menu();
bool menu_is_open();
// The window whose menu is open, or null.
HWND menu_window();
// Closes the menu if it belongs to `window` (its bar changes, it is hidden or destroyed).
void close_menu_of(HWND window);
// The window's content as it is to be presented: its surface with an up-to-date menu bar, and
// the open pop-up laid over it.
const platform::Surface &content_to_present(Window &window);

// ---- Focus and activation (focus.cpp) ----

// The window was shown: it becomes the active window and gets the focus when `activate` is set.
void window_shown(HWND window, bool activate);
// The window was hidden or is being destroyed: the previously active visible window gets the
// focus if this one had it.
void window_hidden(HWND window);
// The backend's window manager moved the keyboard focus.
void backend_focus_changed(HWND window, bool gained);

// ---- Painting (paint.cpp) ----

// Points the window's surface at its client rows for the window's DCs: nothing while it is
// hidden. Called whenever its visibility, client size or menu bar changes.
void set_drawing_area(Window &window);
// Marks the whole client area for repainting, with erasing when `erase` is set.
void invalidate_window(Window &window, bool erase);
// The first visible window that needs painting (any window, or `filter` only), or null.
HWND window_needing_paint(HWND filter);
// Hands every changed surface of a visible window to the backend, once.
void present_changed_windows();
// Fills the area being painted (or the whole client area) through `dc` with the class
// background brush. False when the class has no usable brush or `dc` is no DC.
bool erase_background(HWND window, HDC dc);

// ---- Timers (timers.cpp) ----

// The earliest deadline of the timers of `filter` (all timers when null), or NEVER.
display::Time next_timer_deadline(HWND filter);
bool timer_due(HWND filter);
// Takes the earliest due timer as a WM_TIMER message; with `remove` it is re-armed for the first
// period boundary after now, so a late timer gives one message, not a burst.
bool take_due_timer(HWND filter, bool remove, MSG &msg);
// True when `proc` is the procedure of the live timer (window, id): only those are called.
bool is_timer_procedure(HWND window, UINT_PTR id, TIMERPROC proc);
void kill_window_timers(HWND window);

// ---- Message queue (message_queue.cpp) ----

// Queues a message that came from input: returned after posted messages.
void queue_input_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
// How many input messages have been queued so far.
uint64_t input_messages_queued();
// Drops every queued message addressed to a window that is being destroyed.
void forget_window_messages(HWND window);

// ---- Input (input.cpp) ----

// Takes pending backend events, turning them into messages or window changes, until one of
// them has become a message. True when one did. Events after it stay with the backend until
// the program has taken that message: what it does with it (such as opening a menu) decides
// where they go.
bool collect_input();

// ---- Keyboard state (keyboard.cpp) ----

// The key state as input arrives (decides WM_SYSKEYDOWN and the previous-state bit).
void note_key_event(int virtual_key, int scan_code, bool down);
// A key change that sends no message (the window system catching up as the focus moves): the
// program's key state follows too, unless a message of that key is still to be taken.
void note_unseen_key_event(int virtual_key, int scan_code, bool down);
bool key_down_now(int virtual_key);
// The key state as the program sees it: updated as it takes key and button messages.
void message_taken(const MSG &msg);
// A key event the open menu took: the program's key state follows it all the same, as it
// would on Windows, where the menu takes the key's message off the queue.
void key_taken_by_menu(int virtual_key, int scan_code, bool down);
// The mouse button flags (MK_*) and modifier flags for a mouse message's wParam.
WPARAM mouse_key_flags();
void note_button_event(int button, bool down);

} // namespace user
