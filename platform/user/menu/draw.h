// Menu pixels: the menu bar in a window's top rows, and pop-up menus as images.
#pragma once

#include "platform/surface.h"
#include "platform/user/menu/layout.h"
#include "platform/user/window_table.h"

namespace user {

// Draws the window's menu bar into its surface rows 0 .. menu_bar_height - 1, with entry
// `highlighted` (or none, -1) shown as open or selected.
void draw_menu_bar(Window &window, int highlighted);

// Renders `popup` as laid out, with entry `selection` (or none, -1) highlighted, into `image`:
// at most max_width x max_height pixels of it, from its top-left corner.
void draw_popup(const Menu &popup, const PopupLayout &layout, int selection, int max_width,
                int max_height, platform::Surface &image);

} // namespace user
