// Menu layout: entry rectangles of bars and pop-ups, measured in the menu face.
#include "platform/user/menu/layout.h"
#include "platform/gdi/text/text.h"
#include "platform/user/reset.h"

#include <algorithm>

namespace user {

namespace {

int width_of(const std::string &s) {
    return int(
        std::min<int64_t>(text::text_width(text::menu_face(), s.data(), int(s.size())), 1 << 20));
}

} // namespace

std::vector<platform::Rect> layout_bar(const Menu &bar, int bar_height) {
    std::vector<platform::Rect> items;
    int x = 0;
    for (const MenuItem &item : bar.items) {
        int width = 0;
        if (!(item.flags & MF_SEPARATOR))
            width = 2 * BAR_ITEM_PADDING + width_of(parse_menu_label(item.text).label);
        items.push_back(platform::Rect{x, 0, x + width, bar_height});
        x += width;
    }
    return items;
}

int bar_item_at(const std::vector<platform::Rect> &items, int x, int y) {
    for (size_t i = 0; i < items.size(); i++)
        if (items[i].contains(x, y)) return int(i);
    return -1;
}

PopupLayout layout_popup(const Menu &popup) {
    PopupLayout layout;
    layout.item_height = text::metrics(text::menu_face()).height + 5;
    int widest_label = 0, widest_shortcut = 0;
    for (const MenuItem &item : popup.items) {
        layout.labels.push_back(parse_menu_label(item.text));
        if (item.flags & MF_SEPARATOR) continue;
        widest_label = std::max(widest_label, width_of(layout.labels.back().label));
        widest_shortcut = std::max(widest_shortcut, width_of(layout.labels.back().shortcut));
    }
    layout.label_x = POPUP_FRAME + CHECK_COLUMN;
    int shortcuts = widest_shortcut > 0 ? SHORTCUT_GAP + widest_shortcut : 0;
    layout.shortcut_right = layout.label_x + widest_label + shortcuts;
    layout.width = layout.shortcut_right + RIGHT_MARGIN + POPUP_FRAME;

    int y = POPUP_FRAME;
    for (const MenuItem &item : popup.items) {
        int height = item.flags & MF_SEPARATOR ? SEPARATOR_HEIGHT : layout.item_height;
        layout.items.push_back(
            platform::Rect{POPUP_FRAME, y, layout.width - POPUP_FRAME, y + height});
        y += height;
    }
    layout.height = y + POPUP_FRAME;
    return layout;
}

int popup_item_at(const PopupLayout &layout, int x, int y) {
    for (size_t i = 0; i < layout.items.size(); i++)
        if (layout.items[i].contains(x, y)) return int(i);
    return -1;
}

namespace {
// The last pop-up laid out, kept while its menu and entries stay the same.
HMENU laid_out = nullptr;
uint32_t laid_out_revision = 0;
PopupLayout last_layout;
} // namespace

const PopupLayout &popup_layout(HMENU handle, const Menu &popup) {
    if (laid_out != handle || laid_out_revision != popup.revision) {
        last_layout = layout_popup(popup);
        laid_out = handle;
        laid_out_revision = popup.revision;
    }
    return last_layout;
}

void forget_popup_layout() {
    laid_out = nullptr;
}

} // namespace user
