// Where a menu's entries lie: the entries of a menu bar along its row, and the entries of a
// pop-up one above the other. Sizes follow the look of Windows' menus in the menu face.
#pragma once

#include "platform/rect.h"
#include "platform/user/menu/label.h"
#include "platform/user/menu/table.h"

#include <vector>

namespace user {

// Horizontal room around a bar entry's label, on each side.
constexpr int BAR_ITEM_PADDING = 7;

// The pop-up's frame: a one-pixel border and two pixels of background inside it.
constexpr int POPUP_FRAME = 3;
// Left of the labels, the column where check marks go.
constexpr int CHECK_COLUMN = 19;
// At least this much room between a label and its shortcut text.
constexpr int SHORTCUT_GAP = 24;
// Right of the shortcut texts (room Windows keeps for a sub-menu's arrow).
constexpr int RIGHT_MARGIN = 18;
constexpr int SEPARATOR_HEIGHT = 9;

// The bar entries' rectangles in content coordinates (the bar's rows start at y 0); a
// separator on a bar takes no room. One rectangle per entry.
std::vector<platform::Rect> layout_bar(const Menu &bar, int bar_height);

// The bar entry under content point (x, y), or -1.
int bar_item_at(const std::vector<platform::Rect> &items, int x, int y);

struct PopupLayout {
    int width = 0, height = 0;
    int item_height = 0;               // of an entry with text
    int label_x = 0;                   // where labels start
    int shortcut_right = 0;            // where shortcut texts end
    std::vector<platform::Rect> items; // pop-up coordinates, one per entry
    std::vector<MenuLabel> labels;
};

PopupLayout layout_popup(const Menu &popup);

// The layout of pop-up `handle`, laid out again only when its entries change (its revision).
const PopupLayout &popup_layout(HMENU handle, const Menu &popup);

// The entry under pop-up point (x, y), separators included, or -1.
int popup_item_at(const PopupLayout &layout, int x, int y);

} // namespace user
