// Resets of the window layer's tables, for harnesses that run a program many times in one
// process (platform/reset.h). Each is defined in the file that owns its table.
#pragma once

namespace user {

void reset_classes();       // classes.cpp: no class registered
void reset_windows();       // windows.cpp: no window, default positions start over
void reset_focus();         // focus.cpp: no focus, no activation order
void reset_timers();        // timers.cpp: no timer, thread timer ids start over
void reset_message_queue(); // message_queue.cpp: nothing queued, no quit pending
void reset_keyboard();      // keyboard.cpp: every key up and untoggled
void reset_menus();         // menu/menus.cpp: no menu
void reset_window_dcs();    // paint.cpp: no window DC

} // namespace user
