// The web display: the program's windows as canvases of one page, input from the browser's
// events, time from the page's clock. Built for WebAssembly only.
#pragma once

#include "platform/display/display.h"

#include <memory>

namespace web_display {

std::unique_ptr<display::Backend> open();

} // namespace web_display
