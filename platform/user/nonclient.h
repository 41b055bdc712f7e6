// The emulated non-client area: frame, caption and menu bar sizes, in logical pixels.
//
// The real caption and frame belong to the window manager; these sizes decide how an outer
// window rectangle divides into the content the stand-in draws and the decorations around it,
// so that outer and client sizes are the ones a Windows program expects.
#pragma once

#include "platform/win.h"

namespace user {

constexpr int FIXED_FRAME = 3; // SM_CXFIXEDFRAME, SM_CYFIXEDFRAME
constexpr int SIZE_FRAME = 4;  // SM_CXSIZEFRAME, SM_CYSIZEFRAME
constexpr int BORDER = 1;      // SM_CXBORDER, SM_CYBORDER
constexpr int CAPTION = 33;    // SM_CYCAPTION
constexpr int MENU_BAR = 20;   // SM_CYMENU

// The largest outer width or height a window takes; larger requests are cut to it, so that a
// wild size cannot ask for gigabytes of pixels.
constexpr int MAX_WINDOW_SIZE = 16384;

// A requested outer width or height as the window takes it: 0 to MAX_WINDOW_SIZE.
inline int window_size(int requested) {
    return requested < 0 ? 0 : requested > MAX_WINDOW_SIZE ? MAX_WINDOW_SIZE : requested;
}

// How far the client area lies inside the outer rectangle on each side.
struct Insets {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// The frame and caption of a window of this style, without a menu bar.
Insets frame_insets(DWORD style);

// The frame, caption and, when `menu_bar` is set, the menu bar.
Insets nonclient_insets(DWORD style, bool menu_bar);

// The client size of an outer size; never negative.
void client_size_for(DWORD style, bool menu_bar, int outer_width, int outer_height,
                     int &client_width, int &client_height);

} // namespace user
