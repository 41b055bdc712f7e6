// Menu drawing in the colours of Windows' standard scheme: a light gray menu, black text, the
// selection in the highlight colour with white text, unavailable entries in gray text.
#include "platform/user/menu/draw.h"
#include "platform/gdi/raster/raster.h"
#include "platform/gdi/text/text.h"
#include "platform/user/reset.h"

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

int width_of(const char *s, int count) {
    return int(std::min<int64_t>(text::text_width(text::menu_face(), s, count), 1 << 20));
}

// A label with the top of its character cells at y, its mnemonic underlined.
void draw_label(platform::Surface &image, int x, int y, const MenuLabel &label, uint32_t color) {
    const text::Face &face = text::menu_face();
    text::draw_text(image, face, x, y, label.label.data(), int(label.label.size()), color);
    if (label.mnemonic < 0) return;
    int underline_x = x + width_of(label.label.data(), label.mnemonic);
    int underline_width = width_of(label.label.data() + label.mnemonic, 1);
    int underline_y = y + text::metrics(face).ascent + 1;
    raster::fill(image, {underline_x, underline_y, underline_x + underline_width, underline_y + 1},
                 color);
}

void draw_check_mark(platform::Surface &image, int x, int y, uint32_t color) {
    for (int row = 0; row < CHECK_SIZE; row++)
        for (int col = 0; col < CHECK_SIZE; col++)
            if (CHECK_MARK[row][col] == '#')
                raster::fill(image, {x + col, y + row, x + col + 1, y + row + 1}, color);
}

// The top of a line of text centred in a row of `height` pixels starting at `top`.
int text_top(int top, int height) {
    return top + (height - text::metrics(text::menu_face()).height) / 2;
}

void draw_popup_item(platform::Surface &image, const MenuItem &item, const MenuLabel &label,
                     const PopupLayout &layout, const platform::Rect &r, bool selected) {
    if (item.flags & MF_SEPARATOR) {
        int y = r.top + SEPARATOR_HEIGHT / 2;
        raster::fill(image, {r.left + 1, y, r.right - 1, y + 1}, SEPARATOR_SHADOW);
        raster::fill(image, {r.left + 1, y + 1, r.right - 1, y + 2}, SEPARATOR_LIGHT);
        return;
    }
    bool grayed = item.flags & MF_GRAYED;
    uint32_t color = grayed ? GRAY_TEXT : selected ? HIGHLIGHT_TEXT : MENU_TEXT;
    if (selected) raster::fill(image, r, grayed ? GRAY_HIGHLIGHT : HIGHLIGHT);
    if (item.flags & MF_CHECKED)
        draw_check_mark(image, POPUP_FRAME + (CHECK_COLUMN - CHECK_SIZE) / 2,
                        r.top + (layout.item_height - CHECK_SIZE) / 2, color);
    int y = text_top(r.top, layout.item_height);
    draw_label(image, layout.label_x, y, label, color);
    if (!label.shortcut.empty()) {
        int x = layout.shortcut_right - width_of(label.shortcut.data(), int(label.shortcut.size()));
        text::draw_text(image, text::menu_face(), x, y, label.shortcut.data(),
                        int(label.shortcut.size()), color);
    }
}

} // namespace

// The bar is drawn as an image of its own and copied into the content's top rows: the
// content's drawing area is the client area, which the bar lies outside.
void draw_menu_bar(Window &window, int highlighted) {
    platform::Surface &content = *window.surface;
    int width = content.width;
    int height = std::min(window.menu_bar_height, content.height);
    if (width <= 0 || height <= 0) return;
    static platform::Surface image; // reused: the bar is drawn again at every change
    image.resize(width, height, MENU_BACKGROUND);
    if (const Menu *bar = find_menu(window.menu)) {
        std::vector<platform::Rect> rects = layout_bar(*bar, height);
        for (size_t i = 0; i < bar->items.size(); i++) {
            const MenuItem &item = bar->items[i];
            const platform::Rect &r = rects[i];
            if (item.flags & MF_SEPARATOR || r.left >= width) continue;
            bool selected = int(i) == highlighted;
            uint32_t color = item.flags & MF_GRAYED ? GRAY_TEXT
                             : selected             ? HIGHLIGHT_TEXT
                                                    : MENU_TEXT;
            if (selected) raster::fill(image, r, HIGHLIGHT);
            draw_label(image, int(r.left) + BAR_ITEM_PADDING, text_top(0, height),
                       parse_menu_label(item.text), color);
        }
    }
    std::copy_n(image.data(), size_t(width) * size_t(height), content.data());
}

namespace {

// Renders `popup` as laid out, with entry `selection` (or none, -1) highlighted, into `image`:
// at most max_width x max_height pixels of it, from its top-left corner.
void draw_popup(const Menu &popup, const PopupLayout &layout, int selection, int max_width,
                int max_height, platform::Surface &image) {
    image.resize(std::min(layout.width, max_width), std::min(layout.height, max_height),
                 MENU_BACKGROUND);
    // The border, one pixel wide, around the whole pop-up.
    raster::fill(image, {0, 0, layout.width, 1}, POPUP_BORDER);
    raster::fill(image, {0, layout.height - 1, layout.width, layout.height}, POPUP_BORDER);
    raster::fill(image, {0, 0, 1, layout.height}, POPUP_BORDER);
    raster::fill(image, {layout.width - 1, 0, layout.width, layout.height}, POPUP_BORDER);
    for (size_t i = 0; i < popup.items.size() && i < layout.items.size(); i++) {
        const platform::Rect &r = layout.items[i];
        if (r.top >= image.height) break;
        draw_popup_item(image, popup.items[i], layout.labels[i], layout, r, int(i) == selection);
    }
}

// The rendered pop-up, kept while the menu, its entries, the selection and the room for it stay
// the same.
struct PopupImage {
    HMENU menu = nullptr;
    uint32_t revision = 0;
    int selection = -2; // none drawn yet
    int max_width = 0, max_height = 0;
    platform::Surface image;
};
PopupImage cached;

// The presented content while a pop-up is open: the window's pixels with the pop-up over them.
platform::Surface composed;

} // namespace

const platform::Surface &content_with_popup(const Window &window, HMENU handle,
                                            const PopupLayout &layout, POINT origin,
                                            int selection) {
    const platform::Surface &content = *window.surface;
    const Menu &popup = *find_menu(handle);
    int max_width = std::max(0, content.width - int(origin.x));
    int max_height = std::max(0, content.height - int(origin.y));
    if (cached.menu != handle || cached.revision != popup.revision ||
        cached.selection != selection || cached.max_width != max_width ||
        cached.max_height != max_height) {
        draw_popup(popup, layout, selection, max_width, max_height, cached.image);
        cached.menu = handle;
        cached.revision = popup.revision;
        cached.selection = selection;
        cached.max_width = max_width;
        cached.max_height = max_height;
    }
    const platform::Surface &image = cached.image;
    // Only the rows that changed since the last frame are copied, and the pop-up's rows.
    composed = content;
    for (int y = 0; y < image.height; y++)
        std::copy_n(image.row(y), image.width, composed.row(origin.y + y) + origin.x);
    return composed;
}

// The image's pixels stay allocated for the next pop-up.
void forget_popup_image() {
    cached.menu = nullptr;
    cached.selection = -2;
}

} // namespace user
