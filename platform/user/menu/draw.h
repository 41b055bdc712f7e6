// Menu pixels: the menu bar in a window's top rows, and the open pop-up laid over the window's
// content when it is presented.
#pragma once

#include "platform/user/menu/layout.h"
#include "platform/user/window_table.h"

namespace user {

// Draws the window's menu bar into its surface rows 0 .. menu_bar_height - 1, with entry
// `highlighted` (or none, -1) shown as open or selected.
void draw_menu_bar(Window &window, int highlighted);

// The window's content with pop-up `popup` (laid out as `layout`, entry `selection` or none, -1,
// highlighted) over it, its top-left corner at content point `origin`, valid until the next
// call. The pop-up's image is kept while the menu, its entries, the selection and the room for
// it stay the same.
const platform::Surface &content_with_popup(const Window &window, HMENU popup,
                                            const PopupLayout &layout, POINT origin, int selection);

} // namespace user
