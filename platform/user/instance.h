// The program's instance handle, passed to WinMain.
#pragma once

#include "platform/win.h"

namespace user {

// A token naming the program's module; the same value on every call.
HINSTANCE program_instance();

} // namespace user
