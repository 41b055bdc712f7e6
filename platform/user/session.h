// The end of the session, for the process entry: what the window layer does when the process
// must end at once (the display is gone).
#pragma once

namespace user {

// Sends WM_ENDSESSION to every top-level window, as Windows does when the user's session ends:
// each window procedure can save what must be kept, because the process ends right after.
void end_session();

} // namespace user
