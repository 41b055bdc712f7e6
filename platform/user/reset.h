// Resets of the window layer's tables, for harnesses that run a program many times in one
// process (platform/reset.h). Each is defined in the file that owns its table, with the save and
// restore of the same table, for harnesses that open a program once and start each run from
// there.
#pragma once

namespace user {

void reset_classes();       // classes.cpp: no class registered
void reset_windows();       // windows.cpp: no window, default positions start over
void reset_focus();         // focus.cpp: no focus, no activation order
void reset_timers();        // timers.cpp: no timer, thread timer ids start over
void reset_message_queue(); // message_queue.cpp: nothing queued, no quit pending
void reset_keyboard();      // keyboard.cpp: every key up and untoggled
void reset_menus();         // menu/menus.cpp: no menu
void reset_menu_tracking(); // menu/tracking.cpp: no menu open, no release to swallow
void forget_popup_layout(); // menu/layout.cpp: no pop-up laid out (a restored menu may differ)
void forget_popup_image();  // menu/draw.cpp: no pop-up drawn
void reset_window_dcs();    // paint.cpp: no window DC

void save_classes();
void restore_classes();
// With each window's pixels.
void save_windows();
void restore_windows();
void save_focus();
void restore_focus();
void save_timers();
void restore_timers();
void save_message_queue();
void restore_message_queue();
void save_keyboard();
void restore_keyboard();
void save_menus();
void restore_menus();
void save_menu_tracking();
void restore_menu_tracking();
void save_window_dcs();
void restore_window_dcs();

} // namespace user
