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
    user::reset_menus();
    user::reset_window_dcs();
    user::reset_windows();
    user::reset_classes();
    gdi::reset();
    kernel::reset_memory();
}

} // namespace platform
