// Menus: the records behind HMENU values.
#pragma once

#include "platform/handle_table.h"
#include "platform/win.h"

#include <cstdint>
#include <string>
#include <vector>

namespace user {

struct MenuItem {
    UINT flags = 0; // MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_POPUP, MF_SEPARATOR
    UINT id = 0;    // the command id; for a pop-up entry the pop-up's handle, cut to 32 bits
    HMENU popup = nullptr;
    std::string text; // as appended: & marks the mnemonic, a tab starts the shortcut text
};

struct Menu {
    bool bar = false; // made by CreateMenu rather than CreatePopupMenu
    std::vector<MenuItem> items;
    // Counts every change to the items, so that a drawing of the menu can tell it is stale.
    uint32_t revision = 0;
};

platform::HandleTable<Menu> &menu_table();

// The live menu behind `menu`, or null. Like window records, a menu record stays where it is
// until the menu is destroyed.
Menu *find_menu(HMENU menu);

// An entry that can be chosen: not a separator, not grayed or disabled.
inline bool can_choose(const MenuItem &item) {
    return !(item.flags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED));
}

} // namespace user
