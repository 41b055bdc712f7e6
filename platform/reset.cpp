#include "platform/reset.h"

#include "platform/gdi/objects.h"
#include "platform/kernel/global_memory.h"
#include "platform/user/reset.h"

namespace platform {

void reset() {
    user::reset_message_queue();
    user::reset_timers();
    user::reset_focus();
    user::reset_keyboard();
    user::reset_menu_tracking();
    user::forget_popup_layout();
    user::forget_popup_image();
    user::reset_menus();
    user::reset_window_dcs();
    user::reset_windows();
    user::reset_classes();
    gdi::reset();
    kernel::reset_memory();
}

void save() {
    user::save_message_queue();
    user::save_timers();
    user::save_focus();
    user::save_keyboard();
    user::save_menu_tracking();
    user::save_menus();
    user::save_window_dcs();
    user::save_windows();
    user::save_classes();
    gdi::save();
    kernel::save_memory();
}

void restore() {
    user::restore_message_queue();
    user::restore_timers();
    user::restore_focus();
    user::restore_keyboard();
    user::restore_menu_tracking();
    // The cached pop-up was made for menus as the run left them.
    user::forget_popup_layout();
    user::forget_popup_image();
    user::restore_menus();
    user::restore_window_dcs();
    user::restore_windows();
    user::restore_classes();
    gdi::restore();
    kernel::restore_memory();
}

} // namespace platform
