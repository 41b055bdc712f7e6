// Menus as data: creating and destroying them, appending entries, check marks and states, and
// attaching a menu bar to a window.
#include "platform/user/internal.h"
#include "platform/user/menu/table.h"
#include "platform/user/nonclient.h"
#include "platform/user/reset.h"

namespace {

// The flags an entry keeps; the others only tell how an entry is addressed.
constexpr UINT ITEM_FLAGS = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP | MF_SEPARATOR;

HMENU handle_of(uintptr_t value) {
    return reinterpret_cast<HMENU>(value);
}

// Sub-menus are followed this deep at most, in searches and in the test below; a deeper chain
// that loops back is then harmless rather than endless.
constexpr int MAX_DEPTH = 64;

// True when `inner` is `outer` or one of its sub-menus. Appending `outer` to `inner` would then
// make a menu its own sub-menu.
bool reaches(HMENU outer, HMENU inner, int depth = 0) {
    if (outer == inner) return true;
    const user::Menu *menu = user::find_menu(outer);
    if (!menu || depth > MAX_DEPTH) return false;
    for (const user::MenuItem &item : menu->items)
        if (item.popup && reaches(item.popup, inner, depth + 1)) return true;
    return false;
}

// Where an entry was found: the menu that holds it and its position there.
struct Found {
    HMENU handle = nullptr;
    user::Menu *menu = nullptr;
    size_t index = 0;
    user::MenuItem &item() const { return menu->items[index]; }
};

// The entry with command id `id` in `handle` or its sub-menus, searched in order as Windows
// does: a pop-up entry's sub-menu is searched before the pop-up entry's own id is considered,
// and that id counts only when nothing deeper matched.
Found find_by_command(HMENU handle, UINT id, int depth = 0) {
    user::Menu *menu = user::find_menu(handle);
    if (!menu || depth > MAX_DEPTH) return {};
    Found fallback;
    for (size_t i = 0; i < menu->items.size(); i++) {
        const user::MenuItem &item = menu->items[i];
        if (item.popup) {
            Found inner = find_by_command(item.popup, id, depth + 1);
            if (inner.menu) return inner;
            if (item.id == id && !fallback.menu) fallback = Found{handle, menu, i};
        } else if (item.id == id) {
            return Found{handle, menu, i};
        }
    }
    return fallback;
}

Found find_item(HMENU handle, UINT id, UINT flags) {
    if (!(flags & MF_BYPOSITION)) return find_by_command(handle, id);
    user::Menu *menu = user::find_menu(handle);
    if (!menu || id >= menu->items.size()) return {};
    return Found{handle, menu, id};
}

} // namespace

namespace user {

platform::HandleTable<Menu> &menu_table() {
    static platform::HandleTable<Menu> table{platform::HandleKind::Menu};
    return table;
}

Menu *find_menu(HMENU menu) {
    return menu_table().find(reinterpret_cast<uintptr_t>(menu));
}

void menu_changed(HMENU menu) {
    window_table().for_each([&](uintptr_t, Window &w) {
        if (w.menu != menu) return;
        w.menu_bar_stale = true;
        w.surface->changed = true;
    });
    // An open pop-up is drawn anew if it was this menu (its image knows the menu's revision).
    if (Window *w = find_window(menu_window())) w->surface->changed = true;
}

} // namespace user

HMENU CreateMenu(void) {
    user::Menu menu;
    menu.bar = true;
    return handle_of(user::menu_table().add(std::move(menu)));
}

HMENU CreatePopupMenu(void) {
    return handle_of(user::menu_table().add(user::Menu{}));
}

// Destroys the menu and, as Windows does, the sub-menus its pop-up entries open, however deep.
BOOL DestroyMenu(HMENU menu) {
    if (!user::find_menu(menu)) return FALSE;
    std::vector<HMENU> doomed{menu};
    while (!doomed.empty()) {
        HMENU next = doomed.back();
        doomed.pop_back();
        user::Menu *record = user::find_menu(next);
        if (!record) continue; // a sub-menu reached twice
        for (const user::MenuItem &item : record->items)
            if (item.popup) doomed.push_back(item.popup);
        user::menu_table().remove(reinterpret_cast<uintptr_t>(next));
    }
    return TRUE;
}

BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR id, LPCSTR text) {
    user::Menu *record = user::find_menu(menu);
    if (!record) return FALSE;
    user::MenuItem item;
    item.flags = flags & ITEM_FLAGS;
    item.id = UINT(id);
    if (flags & MF_POPUP) {
        item.popup = reinterpret_cast<HMENU>(id);
        if (!user::find_menu(item.popup) || reaches(item.popup, menu)) return FALSE;
    }
    // A string entry without a string is a separator, as on Windows.
    if (!text && !(flags & MF_POPUP)) item.flags |= MF_SEPARATOR;
    if (item.flags & MF_SEPARATOR) {
        item.flags &= ~UINT(MF_POPUP);
        item.popup = nullptr;
    } else if (text) {
        item.text = text;
    }
    record->items.push_back(std::move(item));
    record->revision++;
    user::menu_changed(menu);
    return TRUE;
}

DWORD CheckMenuItem(HMENU menu, UINT id, UINT check) {
    Found found = find_item(menu, id, check);
    if (!found.menu) return DWORD(-1);
    UINT &flags = found.item().flags;
    DWORD previous = flags & MF_CHECKED;
    UINT wanted = check & MF_CHECKED;
    if ((flags & MF_CHECKED) != wanted) {
        flags = (flags & ~UINT(MF_CHECKED)) | wanted;
        found.menu->revision++;
        user::menu_changed(found.handle);
    }
    return previous;
}

UINT GetMenuState(HMENU menu, UINT id, UINT flags) {
    Found found = find_item(menu, id, flags);
    if (!found.menu) return UINT(-1);
    const user::MenuItem &item = found.item();
    if (!item.popup) return item.flags;
    // A pop-up entry: its sub-menu's entry count in the high byte, its own flags in the low one.
    const user::Menu *popup = user::find_menu(item.popup);
    size_t count = popup ? popup->items.size() : 0;
    return UINT((count & 0xFF) << 8) | (item.flags & 0xFF);
}

BOOL SetMenu(HWND window, HMENU menu) {
    user::Window *w = user::find_window(window);
    if (!w || (menu && !user::find_menu(menu))) return FALSE;
    user::close_menu_of(window);
    w->menu = menu;
    w->menu_bar_stale = true;
    w->surface->changed = true;
    // The client area shrinks or grows by the bar; the window hears of it through WM_SIZE.
    user::set_menu_bar_height(window, menu ? user::MENU_BAR : 0);
    return TRUE;
}

HMENU GetMenu(HWND window) {
    user::Window *w = user::find_window(window);
    return w && user::find_menu(w->menu) ? w->menu : nullptr;
}

BOOL DrawMenuBar(HWND window) {
    user::Window *w = user::find_window(window);
    if (!w) return FALSE;
    w->menu_bar_stale = true;
    w->surface->changed = true;
    return TRUE;
}

void user::reset_menus() {
    menu_table().clear();
}

namespace {
platform::HandleTable<user::Menu>::Saved saved_menus;
}

void user::save_menus() {
    saved_menus = menu_table().save();
}

void user::restore_menus() {
    menu_table().restore(saved_menus);
}
