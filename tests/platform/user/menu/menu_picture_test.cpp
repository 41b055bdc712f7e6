// What the menu looks like: the bar in the window's top rows, the pop-up laid over the window's
// pixels as they are presented, and nothing left behind when it closes.
#include "menu_test_support.h"
#include "platform/gdi/text/text.h"
#include "tests/platform/kept_image.h"

using namespace user_test;

namespace {

constexpr uint32_t MENU_GRAY = 0xF0F0F0;
constexpr uint32_t HIGHLIGHT = 0x0078D7;
constexpr uint32_t BORDER = 0x979797;
constexpr uint32_t GRAY_TEXT = 0x6D6D6D;

} // namespace

class MenuPicture : public MenuTest {
  protected:
    // The program draws: every client pixel gets a colour made from its position and `seed`.
    void draw_pattern(uint32_t seed) {
        ClientArea client;
        ASSERT_TRUE(client_area(window, client));
        for (int y = 0; y < client.height; y++)
            for (int x = 0; x < client.width; x++) client.at(x, y) = pattern(x, y, seed);
        client.changed();
        pump();
    }
    static uint32_t pattern(int x, int y, uint32_t seed) {
        return (uint32_t(x * 7 + y * 13) * 2654435761u ^ seed) & 0xFFFFFF;
    }
    bool in(const RECT &r, int x, int y) {
        return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
    }
    // Counts the pixels of `colour` in a rectangle of the presented content.
    int count(const RECT &r, uint32_t colour) {
        int n = 0;
        for (int y = r.top; y < r.bottom; y++)
            for (int x = r.left; x < r.right; x++) n += presented().at(x, y) == colour;
        return n;
    }
    std::vector<uint32_t> pixels_of(const RECT &r) {
        std::vector<uint32_t> out;
        for (int y = r.top; y < r.bottom; y++)
            for (int x = r.left; x < r.right; x++) out.push_back(presented().at(x, y));
        return out;
    }
};

TEST_F(MenuPicture, ThePopupLiesOverWhatTheProgramDrawsAndLeavesNoTrace) {
    draw_pattern(1);
    click_bar();
    RECT popup = popup_rect();
    std::vector<uint32_t> open_popup = pixels_of(popup);
    EXPECT_EQ(presented().at(0, BAR_HEIGHT), BORDER);
    EXPECT_EQ(presented().at(popup.right - 1, popup.bottom - 1), BORDER);

    // The program goes on drawing while the menu is open: around the pop-up its pixels show,
    // the pop-up itself stays as it was.
    draw_pattern(2);
    EXPECT_EQ(pixels_of(popup), open_popup);
    const platform::Surface &shown = presented();
    for (int y = BAR_HEIGHT; y < shown.height; y += 7)
        for (int x = 0; x < shown.width; x += 5)
            if (!in(popup, x, y)) {
                ASSERT_EQ(shown.at(x, y), pattern(x, y - BAR_HEIGHT, 2));
            }

    press(VK_ESCAPE);
    for (int y = BAR_HEIGHT; y < shown.height; y++)
        for (int x = 0; x < shown.width; x++)
            ASSERT_EQ(presented().at(x, y), pattern(x, y - BAR_HEIGHT, 2)) << x << "," << y;
}

TEST_F(MenuPicture, TheBarShowsRunWithItsMnemonicUnderlinedAndHighlightsWhileOpen) {
    const text::Face &face = text::menu_face();
    int r_width = int(text::text_width(face, "R", 1));
    int run_width = int(text::text_width(face, "Run", 3));
    int text_top = (BAR_HEIGHT - text::metrics(face).height) / 2;
    int underline_y = text_top + text::metrics(face).ascent + 1;
    RECT entry{0, 0, 2 * user::BAR_ITEM_PADDING + run_width, BAR_HEIGHT};
    RECT rest{entry.right, 0, presented().width, BAR_HEIGHT};

    EXPECT_EQ(count(rest, MENU_GRAY), (rest.right - rest.left) * BAR_HEIGHT);
    EXPECT_GT(count(entry, 0x000000), 20); // the letters
    // Under the R, and not under the u.
    EXPECT_EQ(count(RECT{7, underline_y, 7 + r_width, underline_y + 1}, 0x000000), r_width);
    EXPECT_EQ(count(RECT{7 + r_width + 1, underline_y, 7 + run_width, underline_y + 1}, 0), 0);

    click_bar();
    EXPECT_EQ(presented().at(1, 1), HIGHLIGHT);
    EXPECT_EQ(count(entry, 0x000000), 0);
    EXPECT_GT(count(entry, 0xFFFFFF), 20); // white letters on the highlight
    press(VK_ESCAPE);
    EXPECT_EQ(presented().at(1, 1), MENU_GRAY);
}

TEST_F(MenuPicture, ChecksSelectionAndGrayedEntriesShowInThePopup) {
    click_bar();
    RECT check_column{user::POPUP_FRAME, 0, user::POPUP_FRAME + user::CHECK_COLUMN, 0};
    auto column_of = [&](int entry) {
        RECT r = entry_rect(entry);
        return RECT{check_column.left, r.top, check_column.right, r.bottom};
    };
    EXPECT_GT(count(column_of(4), 0x000000), 8); // Logging is checked
    EXPECT_EQ(count(column_of(0), 0x000000), 0);

    // A check mark set while the pop-up is open shows at once.
    CheckMenuItem(run, ANIMATE, MF_CHECKED);
    pump();
    EXPECT_EQ(count(column_of(0), 0x000000), count(column_of(4), 0x000000));

    // The entry under the pointer is highlighted, with white text.
    RECT halt = entry_rect(1);
    move(halt.left + 10, halt.top + 5);
    EXPECT_GT(count(halt, HIGHLIGHT), (halt.right - halt.left) * (halt.bottom - halt.top) / 2);
    EXPECT_GT(count(halt, 0xFFFFFF), 20);

    // Grayed entries are written in gray, and nothing of them in black.
    RECT grayed = entry_rect(GRAYED_ENTRY);
    EXPECT_GT(count(grayed, GRAY_TEXT), 20);
    EXPECT_EQ(count(grayed, 0x000000), 0);

    // Shortcut texts end at the same column, right-aligned.
    auto rightmost_ink = [&](int entry) {
        RECT r = entry_rect(entry);
        int right = -1;
        for (int y = r.top; y < r.bottom; y++)
            for (int x = r.left; x < r.right; x++)
                if (presented().at(x, y) == 0x000000) right = std::max(right, x);
        return right;
    };
    EXPECT_NEAR(rightmost_ink(0), rightmost_ink(6), 2); // "Ctrl+A", "Ctrl+R"
}

// The whole open menu, its highlighted entry included, as the picture kept beside this file.
TEST_F(MenuPicture, TheOpenRunMenuLooksAsThePictureKept) {
    draw_pattern(0);
    ClientArea client;
    ASSERT_TRUE(client_area(window, client));
    for (int y = 0; y < client.height; y++) std::fill_n(&client.at(0, y), client.width, 0xFFFFFF);
    client.changed();
    alt('R', 0x13);
    press(VK_DOWN); // Halt animation selected
    expect_kept_image(presented(), RUN_MENU_PNG, KEPT_DIR "/run_menu.png");
}
