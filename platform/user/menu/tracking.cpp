// The open menu: a window's menu bar selected from the keyboard, or one of its pop-ups open.
//
// The menu is modeless: the program keeps running (timers, painting, its own drawing) while the
// menu is open, but the mouse and the keyboard belong to the menu, and no input message reaches
// any window procedure until it closes. Choosing an entry closes the menu and posts WM_COMMAND
// with the entry's id to the window. The pop-up is never drawn into the window's pixels: it is
// laid over them when the window is presented (menu/draw.cpp), so the program cannot draw over
// it, and the window is intact when it closes.
#include "platform/display/display.h"
#include "platform/user/internal.h"
#include "platform/user/menu/draw.h"
#include "platform/user/reset.h"

#include <algorithm>
#include <utility>

namespace user {

namespace {

enum class Mode {
    Closed,
    Bar,   // the bar has the keyboard, an entry selected, no pop-up open (F10)
    Popup, // a bar entry's pop-up is open
};

struct Tracking {
    Mode mode = Mode::Closed;
    HWND window = nullptr;
    int display_window = 0;
    int bar_item = -1;  // the selected or open bar entry
    int selection = -1; // the selected pop-up entry, or -1
    // Escape in the pop-up goes back to the selected bar rather than closing the menu: the
    // pop-up was opened from the bar selected by F10.
    bool back_to_bar = false;
    bool pointer_in_popup = false;
};

Tracking tracking;
// The mouse button or key whose press closed the menu: its release belongs to the menu too.
int release_to_swallow = 0;
int key_release_to_swallow = 0;

void window_changed(Window &w) {
    w.surface->changed = true;
    w.menu_bar_stale = true;
}

void close() {
    if (tracking.mode == Mode::Closed) return;
    if (Window *w = find_window(tracking.window)) window_changed(*w);
    display::backend().menu_shown(tracking.display_window, false);
    tracking = Tracking{};
}

// The window showing the open menu, while it still can: alive, visible, with the bar entry that
// is open; otherwise null (and check_open_menu closes the menu).
Window *tracked_window() {
    if (tracking.mode == Mode::Closed) return nullptr;
    Window *w = find_window(tracking.window);
    Menu *bar = w ? find_menu(w->menu) : nullptr;
    if (!w || !w->visible || !bar || tracking.bar_item < 0 ||
        size_t(tracking.bar_item) >= bar->items.size())
        return nullptr;
    return w;
}

Menu *bar_of(const Window &w) {
    return find_menu(w.menu);
}

// The open pop-up's menu, or null (no pop-up open, or its menu is gone).
HMENU open_popup(const Window &w) {
    if (tracking.mode != Mode::Popup) return nullptr;
    const Menu *bar = bar_of(w);
    HMENU popup = bar->items[size_t(tracking.bar_item)].popup;
    return find_menu(popup) ? popup : nullptr;
}

const PopupLayout &layout_of(HMENU handle) {
    return popup_layout(handle, *find_menu(handle));
}

// The pop-up hangs from the bottom-left corner of its bar entry, moved left as far as needed to
// stay inside the window's content.
POINT popup_origin(const Window &w, const PopupLayout &layout) {
    std::vector<platform::Rect> bar = layout_bar(*bar_of(w), w.menu_bar_height);
    int x = int(bar[size_t(tracking.bar_item)].left);
    x = std::max(0, std::min(x, w.surface->width - layout.width));
    return POINT{x, w.menu_bar_height};
}

// The pop-up entry under content point (x, y), or -1; `inside` tells whether the point is on
// the pop-up at all.
int popup_item_under(const Window &w, HMENU popup, int x, int y, bool &inside) {
    const PopupLayout &layout = layout_of(popup);
    POINT origin = popup_origin(w, layout);
    x -= origin.x;
    y -= origin.y;
    inside = x >= 0 && y >= 0 && x < layout.width && y < layout.height;
    return inside ? popup_item_at(layout, x, y) : -1;
}

void select(Window &w, int item) {
    if (tracking.selection == item) return;
    tracking.selection = item;
    w.surface->changed = true;
}

// Entries the keyboard can select: everything but separators. Grayed entries can be selected,
// as on Windows, but not chosen.
bool selectable(const MenuItem &item) {
    return !(item.flags & MF_SEPARATOR);
}

// The next selectable entry after `from` in direction `step` (+1 or -1), going round; -1 when
// there is none.
int next_selectable(const std::vector<MenuItem> &items, int from, int step) {
    int count = int(items.size());
    if (count == 0) return -1;
    int i = from;
    for (int tries = 0; tries < count; tries++) {
        i = i < 0 ? (step > 0 ? 0 : count - 1) : (i + step + count) % count;
        if (selectable(items[size_t(i)])) return i;
    }
    return -1;
}

void choose(HWND window, const MenuItem &item) {
    UINT id = item.id;
    close();
    // WM_COMMAND carries a menu entry's id in its low word, 0 in the high word.
    PostMessageA(window, WM_COMMAND, WPARAM(id & 0xFFFF), 0);
}

void enter_mode(Window &w, Mode mode, int bar_item, int selection) {
    bool was_closed = tracking.mode == Mode::Closed;
    if (was_closed) release_to_swallow = key_release_to_swallow = 0;
    tracking.mode = mode;
    tracking.window = w.handle;
    tracking.display_window = w.display_window;
    tracking.bar_item = bar_item;
    tracking.selection = selection;
    tracking.pointer_in_popup = false;
    window_changed(w);
    if (was_closed) display::backend().menu_shown(w.display_window, true);
}

// Activates bar entry `index`: a pop-up entry opens its pop-up (with its first entry selected
// when the keyboard opened it); a command entry on the bar is chosen at once.
void activate_bar_item(Window &w, int index, bool by_keyboard) {
    const MenuItem item = bar_of(w)->items[size_t(index)];
    if (item.flags & MF_SEPARATOR) return;
    if (const Menu *popup = find_menu(item.popup)) {
        int first = by_keyboard ? next_selectable(popup->items, -1, +1) : -1;
        enter_mode(w, Mode::Popup, index, first);
    } else if (can_choose(item)) {
        choose(w.handle, item);
    }
}

// The bar entry whose mnemonic is `key`, or -1.
int bar_item_with_mnemonic(const Menu &bar, unsigned char key) {
    for (size_t i = 0; i < bar.items.size(); i++)
        if (!(bar.items[i].flags & MF_SEPARATOR) &&
            mnemonic_of(parse_menu_label(bar.items[i].text)) == key)
            return int(i);
    return -1;
}

// A letter typed in the open pop-up: the one entry with that mnemonic is chosen (or only
// selected, when it cannot be chosen); with several, the selection moves to the next of them.
void popup_mnemonic(Window &w, const Menu &popup, unsigned char key) {
    std::vector<int> matches;
    for (size_t i = 0; i < popup.items.size(); i++)
        if (selectable(popup.items[i]) && mnemonic_of(parse_menu_label(popup.items[i].text)) == key)
            matches.push_back(int(i));
    if (matches.empty()) return;
    if (matches.size() == 1) {
        select(w, matches[0]);
        if (can_choose(popup.items[size_t(matches[0])]))
            choose(w.handle, popup.items[size_t(matches[0])]);
        return;
    }
    auto next = std::upper_bound(matches.begin(), matches.end(), tracking.selection);
    select(w, next == matches.end() ? matches[0] : *next);
}

// Left or Right: the neighbouring bar entry, its pop-up open when one was open.
void move_along_bar(Window &w, int step) {
    const Menu &bar = *bar_of(w);
    int index = next_selectable(bar.items, tracking.bar_item, step);
    if (index < 0 || index == tracking.bar_item) return;
    if (tracking.mode == Mode::Popup && find_menu(bar.items[size_t(index)].popup)) {
        bool back = tracking.back_to_bar;
        activate_bar_item(w, index, true);
        tracking.back_to_bar = back;
    } else {
        enter_mode(w, Mode::Bar, index, -1);
    }
}

// The character a key gives without modifiers, in lower case, for matching mnemonics.
unsigned char key_letter(const display::InputEvent &event) {
    return lower_latin1(
        display::backend().key_character(event.virtual_key, event.scan_code, false, false, false));
}

void bar_key(Window &w, const display::InputEvent &event) {
    const Menu &bar = *bar_of(w);
    switch (event.virtual_key) {
    case VK_ESCAPE: close(); return;
    case VK_LEFT: move_along_bar(w, -1); return;
    case VK_RIGHT: move_along_bar(w, +1); return;
    case VK_UP:
    case VK_DOWN:
    case VK_RETURN:
        activate_bar_item(w, tracking.bar_item, true);
        tracking.back_to_bar = true;
        return;
    default: break;
    }
    unsigned char letter = key_letter(event);
    int index = letter ? bar_item_with_mnemonic(bar, letter) : -1;
    if (index < 0) return;
    activate_bar_item(w, index, true);
    tracking.back_to_bar = true;
}

void popup_key(Window &w, HMENU handle, const display::InputEvent &event) {
    const Menu &popup = *find_menu(handle);
    switch (event.virtual_key) {
    case VK_ESCAPE:
        if (tracking.back_to_bar)
            enter_mode(w, Mode::Bar, tracking.bar_item, -1);
        else
            close();
        return;
    case VK_UP: select(w, next_selectable(popup.items, tracking.selection, -1)); return;
    case VK_DOWN: select(w, next_selectable(popup.items, tracking.selection, +1)); return;
    case VK_LEFT: move_along_bar(w, -1); return;
    case VK_RIGHT: move_along_bar(w, +1); return;
    case VK_RETURN:
        if (tracking.selection >= 0 && size_t(tracking.selection) < popup.items.size() &&
            can_choose(popup.items[size_t(tracking.selection)]))
            choose(w.handle, popup.items[size_t(tracking.selection)]);
        return;
    default: break;
    }
    if (unsigned char letter = key_letter(event)) popup_mnemonic(w, popup, letter);
}

void mouse_moved(Window &w, const display::InputEvent &event) {
    HMENU popup = open_popup(w);
    if (!popup) return;
    bool same_window = event.window == w.display_window;
    bool inside = false;
    int item = same_window ? popup_item_under(w, popup, event.x, event.y, inside) : -1;
    if (inside) {
        tracking.pointer_in_popup = true;
        const Menu *menu = find_menu(popup);
        select(w, item >= 0 && selectable(menu->items[size_t(item)]) ? item : -1);
        return;
    }
    // Over another bar entry, that entry's pop-up opens instead.
    if (same_window && event.y < w.menu_bar_height) {
        int index = bar_item_at(layout_bar(*bar_of(w), w.menu_bar_height), event.x, event.y);
        if (index >= 0 && index != tracking.bar_item &&
            find_menu(bar_of(w)->items[size_t(index)].popup))
            activate_bar_item(w, index, false);
        return;
    }
    // Leaving the pop-up takes the selection with it.
    if (tracking.pointer_in_popup) {
        tracking.pointer_in_popup = false;
        select(w, -1);
    }
}

void mouse_pressed(Window &w, const display::InputEvent &event) {
    bool same_window = event.window == w.display_window;
    if (same_window) {
        if (HMENU popup = open_popup(w)) {
            bool inside = false;
            int item = popup_item_under(w, popup, event.x, event.y, inside);
            if (inside) {
                const Menu *menu = find_menu(popup);
                if (event.button == 1 && item >= 0 && selectable(menu->items[size_t(item)]))
                    select(w, item);
                return;
            }
        }
        if (event.y >= 0 && event.y < w.menu_bar_height) {
            int index = bar_item_at(layout_bar(*bar_of(w), w.menu_bar_height), event.x, event.y);
            if (index >= 0 && event.button == 1 &&
                !(index == tracking.bar_item && tracking.mode == Mode::Popup)) {
                activate_bar_item(w, index, false);
                tracking.back_to_bar = false;
                return;
            }
        }
    }
    // Anywhere else, or the open entry's title again: the menu closes, and the press goes no
    // further.
    close();
    release_to_swallow = event.button;
}

void mouse_released(Window &w, const display::InputEvent &event) {
    if (event.button != 1 || event.window != w.display_window) return;
    HMENU popup = open_popup(w);
    if (!popup) return;
    bool inside = false;
    int item = popup_item_under(w, popup, event.x, event.y, inside);
    if (item < 0) return;
    const MenuItem entry = find_menu(popup)->items[size_t(item)];
    if (can_choose(entry)) choose(w.handle, entry);
}

} // namespace

void open_menu_by_key(HWND window, unsigned char key) {
    if (tracking.mode != Mode::Closed) return;
    Window *w = find_window(window);
    const Menu *bar = w && w->visible ? find_menu(w->menu) : nullptr;
    if (!bar) return;
    if (key == 0) {
        int first = next_selectable(bar->items, -1, +1);
        if (first >= 0) enter_mode(*w, Mode::Bar, first, -1);
        return;
    }
    int index = bar_item_with_mnemonic(*bar, lower_latin1(key));
    if (index >= 0) activate_bar_item(*w, index, true);
}

bool menu_takes_mouse(const display::InputEvent &event) {
    Window *w = tracked_window();
    if (!w) {
        if (event.kind == display::InputKind::MouseUp && release_to_swallow &&
            event.button == release_to_swallow) {
            release_to_swallow = 0;
            return true;
        }
        if (event.kind != display::InputKind::MouseDown) return false;
        release_to_swallow = 0;
        // A left press on a bar entry opens it.
        Window *target = find_window_by_display(event.window);
        if (!target || event.button != 1 || event.y < 0 || event.y >= target->menu_bar_height)
            return false;
        const Menu *bar = find_menu(target->menu);
        int index =
            bar ? bar_item_at(layout_bar(*bar, target->menu_bar_height), event.x, event.y) : -1;
        if (index < 0) return false;
        activate_bar_item(*target, index, false);
        return true;
    }
    switch (event.kind) {
    case display::InputKind::MouseMove: mouse_moved(*w, event); break;
    case display::InputKind::MouseDown: mouse_pressed(*w, event); break;
    case display::InputKind::MouseUp: mouse_released(*w, event); break;
    default: return false;
    }
    return true;
}

bool menu_takes_key(const display::InputEvent &event) {
    bool down = event.kind == display::InputKind::KeyDown;
    Window *w = tracked_window();
    if (!w) {
        if (!down && key_release_to_swallow && event.virtual_key == key_release_to_swallow) {
            key_release_to_swallow = 0;
            key_taken_by_menu(event.virtual_key, event.scan_code, false);
            return true;
        }
        if (down) key_release_to_swallow = 0;
        return false;
    }
    key_taken_by_menu(event.virtual_key, event.scan_code, down);
    if (!down) return true;
    // Alt or F10 pressed again leaves the menu.
    if (event.virtual_key == VK_MENU || event.virtual_key == VK_F10) {
        if (!event.repeat) close();
    } else if (HMENU popup = open_popup(*w)) {
        popup_key(*w, popup, event);
    } else if (tracking.mode == Mode::Bar) {
        bar_key(*w, event);
    } else {
        close(); // the open pop-up's menu is gone
    }
    if (tracking.mode == Mode::Closed) key_release_to_swallow = event.virtual_key;
    return true;
}

void check_open_menu() {
    if (tracking.mode != Mode::Closed && !tracked_window()) close();
}

bool menu_is_open() {
    return tracking.mode != Mode::Closed;
}

HWND menu_window() {
    return tracking.mode == Mode::Closed ? nullptr : tracking.window;
}

void close_menu_of(HWND window) {
    if (tracking.mode != Mode::Closed && tracking.window == window) close();
}

const platform::Surface &content_to_present(Window &w) {
    bool tracked = w.handle == tracking.window && tracked_window() == &w;
    if (w.menu_bar_stale && w.menu_bar_height > 0)
        draw_menu_bar(w, tracked ? tracking.bar_item : -1);
    w.menu_bar_stale = false;
    HMENU popup = tracked ? open_popup(w) : nullptr;
    if (!popup) return *w.surface;
    const PopupLayout &layout = layout_of(popup);
    return content_with_popup(w, popup, layout, popup_origin(w, layout), tracking.selection);
}

} // namespace user

namespace user {
namespace {
struct SavedTracking {
    Tracking tracking;
    int release_to_swallow = 0;
    int key_release_to_swallow = 0;
};
SavedTracking saved_tracking;
} // namespace
} // namespace user

// No backend is told: the display that showed the menu goes or is put back too.
void user::reset_menu_tracking() {
    tracking = Tracking{};
    release_to_swallow = 0;
    key_release_to_swallow = 0;
}

void user::save_menu_tracking() {
    saved_tracking = SavedTracking{tracking, release_to_swallow, key_release_to_swallow};
}

void user::restore_menu_tracking() {
    tracking = saved_tracking.tracking;
    release_to_swallow = saved_tracking.release_to_swallow;
    key_release_to_swallow = saved_tracking.key_release_to_swallow;
}
