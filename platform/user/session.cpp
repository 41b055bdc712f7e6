// The end of the session.
#include "platform/user/session.h"

#include "platform/user/internal.h"

#include <vector>

namespace user {

void end_session() {
    // The handles first: a procedure may destroy windows while it is told.
    std::vector<HWND> windows;
    window_table().for_each([&](uintptr_t, Window &w) { windows.push_back(w.handle); });
    for (HWND window : windows) SendMessageA(window, WM_ENDSESSION, TRUE, ENDSESSION_CRITICAL);
}

} // namespace user
