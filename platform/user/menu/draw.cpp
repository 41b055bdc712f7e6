// Menu drawing in the colours of Windows' standard scheme: a light gray menu, black text, the
// selection in the highlight colour with white text, unavailable entries in gray text.
#include "platform/user/menu/draw.h"
#include "platform/gdi/text/text.h"

#include <algorithm>

namespace user {

namespace {

constexpr uint32_t MENU_BACKGROUND = 0xF0F0F0;
constexpr uint32_t MENU_TEXT = 0x000000;
constexpr uint32_t HIGHLIGHT = 0x0078D7;
constexpr uint32_t HIGHLIGHT_TEXT = 0xFFFFFF;
constexpr uint32_t GRAY_TEXT = 0x6D6D6D;
// A grayed entry under the selection: highlighted, but plainly not available.
constexpr uint32_t GRAY_HIGHLIGHT = 0xDADADA;
constexpr uint32_t POPUP_BORDER = 0x979797;
constexpr uint32_t SEPARATOR_SHADOW = 0xA0A0A0;
constexpr uint32_t SEPARATOR_LIGHT = 0xFFFFFF;

// The check mark, 7 by 7 pixels.
constexpr const char *CHECK_MARK[7] = {
    "......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#....",
};
constexpr int CHECK_SIZE = 7;

raster::Target target_of(uint32_t *pixels, int stride, int width, int height) {
    raster::Target target;
    target.pixels = pixels;
    target.stride = stride;
    target.clip_right = width;
    target.clip_bottom = height;
    return target;
}

void fill(const raster::Target &target, int left, int top, int right, int bottom, uint32_t color) {
    left = std::max(left, target.clip_left);
    top = std::max(top, target.clip_top);
    right = std::min(right, target.clip_right);
    bottom = std::min(bottom, target.clip_bottom);
    for (int y = top; y < bottom; y++)
        std::fill_n(target.pixels + size_t(y) * size_t(target.stride) + left,
                    std::max(0, right - left), color);
}

int width_of(const char *s, int count) {
    return int(std::min<int64_t>(text::text_width(text::menu_face(), s, count), 1 << 20));
}

// A label with the top of its character cells at y, its mnemonic underlined.
void draw_label(const raster::Target &target, int x, int y, const MenuLabel &label,
                uint32_t color) {
    const text::Face &face = text::menu_face();
    text::draw_text(target, face, x, y, label.label.data(), int(label.label.size()), color);
    if (label.mnemonic < 0) return;
    int underline_x = x + width_of(label.label.data(), label.mnemonic);
    int underline_width = width_of(label.label.data() + label.mnemonic, 1);
    int underline_y = y + text::metrics(face).ascent + 1;
    fill(target, underline_x, underline_y, underline_x + underline_width, underline_y + 1, color);
}

void draw_check_mark(const raster::Target &target, int x, int y, uint32_t color) {
    for (int row = 0; row < CHECK_SIZE; row++)
        for (int col = 0; col < CHECK_SIZE; col++)
            if (CHECK_MARK[row][col] == '#')
                fill(target, x + col, y + row, x + col + 1, y + row + 1, color);
}

// The top of a line of text centred in a row of `height` pixels starting at `top`.
int text_top(int top, int height) {
    return top + (height - text::metrics(text::menu_face()).height) / 2;
}

void draw_popup_item(const raster::Target &target, const MenuItem &item, const MenuLabel &label,
                     const PopupLayout &layout, const RECT &r, bool selected) {
    if (item.flags & MF_SEPARATOR) {
        int y = r.top + SEPARATOR_HEIGHT / 2;
        fill(target, r.left + 1, y, r.right - 1, y + 1, SEPARATOR_SHADOW);
        fill(target, r.left + 1, y + 1, r.right - 1, y + 2, SEPARATOR_LIGHT);
        return;
    }
    bool grayed = item.flags & MF_GRAYED;
    uint32_t color = grayed ? GRAY_TEXT : selected ? HIGHLIGHT_TEXT : MENU_TEXT;
    if (selected)
        fill(target, r.left, r.top, r.right, r.bottom, grayed ? GRAY_HIGHLIGHT : HIGHLIGHT);
    if (item.flags & MF_CHECKED)
        draw_check_mark(target, POPUP_FRAME + (CHECK_COLUMN - CHECK_SIZE) / 2,
                        r.top + (layout.item_height - CHECK_SIZE) / 2, color);
    int y = text_top(r.top, layout.item_height);
    draw_label(target, layout.label_x, y, label, color);
    if (!label.shortcut.empty()) {
        int x = layout.shortcut_right - width_of(label.shortcut.data(), int(label.shortcut.size()));
        text::draw_text(target, text::menu_face(), x, y, label.shortcut.data(),
                        int(label.shortcut.size()), color);
    }
}

} // namespace

void draw_menu_bar(Window &window, int highlighted) {
    int width = window.surface.width;
    int height = std::min(window.menu_bar_height, window.surface.height);
    if (width <= 0 || height <= 0) return;
    raster::Target target = target_of(window.surface.data(), width, width, height);
    fill(target, 0, 0, width, height, MENU_BACKGROUND);
    const Menu *bar = find_menu(window.menu);
    if (!bar) return;
    std::vector<RECT> rects = layout_bar(*bar, height);
    for (size_t i = 0; i < bar->items.size(); i++) {
        const MenuItem &item = bar->items[i];
        const RECT &r = rects[i];
        if (item.flags & MF_SEPARATOR || r.left >= width) continue;
        bool selected = int(i) == highlighted;
        uint32_t color = item.flags & MF_GRAYED ? GRAY_TEXT : selected ? HIGHLIGHT_TEXT : MENU_TEXT;
        if (selected) fill(target, r.left, r.top, r.right, r.bottom, HIGHLIGHT);
        draw_label(target, r.left + BAR_ITEM_PADDING, text_top(0, height),
                   parse_menu_label(item.text), color);
    }
}

void draw_popup(const Menu &popup, const PopupLayout &layout, int selection, int max_width,
                int max_height, platform::Surface &image) {
    image.resize(std::min(layout.width, max_width), std::min(layout.height, max_height),
                 MENU_BACKGROUND);
    raster::Target target = target_of(image.pixels.data(), image.width, image.width, image.height);
    // The border, one pixel wide, around the whole pop-up.
    fill(target, 0, 0, layout.width, 1, POPUP_BORDER);
    fill(target, 0, layout.height - 1, layout.width, layout.height, POPUP_BORDER);
    fill(target, 0, 0, 1, layout.height, POPUP_BORDER);
    fill(target, layout.width - 1, 0, layout.width, layout.height, POPUP_BORDER);
    for (size_t i = 0; i < popup.items.size() && i < layout.items.size(); i++) {
        const RECT &r = layout.items[i];
        if (r.top >= image.height) break;
        draw_popup_item(target, popup.items[i], layout.labels[i], layout, r, int(i) == selection);
    }
}

} // namespace user
