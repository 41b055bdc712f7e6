// ScrollDC on a window with a menu bar. A scroll of the whole client area moves where the
// window's rows start instead of its pixels; a partial one copies them. Either way the client
// area must show what copying the pixels would, the bar above it must stay, what the program
// draws next must land where it aims, and what reaches the display must be the same pixels,
// with an open menu laid over them.
#include "menu/menu_test_support.h"
#include "platform/surface.h"

#include <random>

using namespace user_test;

class Scroll : public MenuTest {
  protected:
    void SetUp() override {
        MenuTest::SetUp();
        dc = GetDC(window);
        ClientArea t;
        ASSERT_TRUE(client_area(window, t));
        width = t.width;
        height = t.height;
        for (int y = 0; y < height; y++)
            for (int x = 0; x < width; x++) t.at(x, y) = seed(x, y);
        t.changed();
        pump();
        model = client();
        bar_rows = rows_shown(0, BAR_HEIGHT);
    }
    void TearDown() override { ReleaseDC(window, dc); }

    static uint32_t seed(int x, int y) {
        return (uint32_t(x) * 2654435761u ^ uint32_t(y) * 40503u) & 0xFFFFFF;
    }

    // The client area's pixels as the GDI side sees them.
    std::vector<uint32_t> client() {
        ClientArea t;
        EXPECT_TRUE(client_area(window, t));
        std::vector<uint32_t> out;
        for (int y = 0; y < t.height; y++)
            for (int x = 0; x < t.width; x++) out.push_back(t.at(x, y));
        return out;
    }
    // Content rows [from, to) as last presented.
    std::vector<uint32_t> rows_shown(int from, int to) {
        const platform::Surface &shown = presented();
        return std::vector<uint32_t>(shown.data() + ptrdiff_t(from) * shown.width,
                                     shown.data() + ptrdiff_t(to) * shown.width);
    }

    // What a copy of the pixels gives: the area moved by (dx, dy), the rest left alone.
    void model_scroll(int dx, int dy, RECT area) {
        std::vector<uint32_t> before = model;
        for (int y = 0; y < height; y++)
            for (int x = 0; x < width; x++) {
                int sx = x - dx, sy = y - dy;
                if (sx >= area.left && sx < area.right && sy >= area.top && sy < area.bottom)
                    model[size_t(y) * width + x] = before[size_t(sy) * width + sx];
            }
    }
    void scroll(int dx, int dy, const RECT *area = nullptr) {
        ASSERT_TRUE(ScrollDC(dc, dx, dy, area, nullptr, nullptr, nullptr));
        model_scroll(dx, dy, area ? *area : RECT{0, 0, width, height});
    }

    HDC dc = nullptr;
    int width = 0, height = 0;
    std::vector<uint32_t> model, bar_rows;
};

TEST_F(Scroll, ManyScrollsWholeAndPartialShowWhatCopyingThePixelsWould) {
    std::mt19937 random(7);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    for (int k = 0; k < 400; k++) {
        int kind = pick(0, 9);
        if (kind < 5) {
            scroll(0, -13); // the log's new line, again and again: through the block's end
        } else if (kind < 8) {
            scroll(0, pick(-height - 2, height + 2)); // any distance, up or down, or too far
        } else if (kind == 8) {
            RECT area{pick(0, width / 2), pick(0, height / 2), pick(width / 2, width),
                      pick(height / 2, height)};
            scroll(pick(-9, 9), pick(-9, 9), &area);
        } else {
            scroll(pick(-30, 30), 0);
        }
        if (k % 9 == 0) { // the program draws between scrolls
            SetPixel(dc, pick(0, width - 1), pick(0, height - 1), RGB(1, 2, k % 250));
            model = client();
        }
        ASSERT_EQ(client(), model) << "after scroll " << k;
        if (k % 25 == 0) {
            pump();
            ASSERT_EQ(rows_shown(BAR_HEIGHT, BAR_HEIGHT + height), model) << k;
            ASSERT_EQ(rows_shown(0, BAR_HEIGHT), bar_rows) << k;
        }
    }
}

TEST_F(Scroll, DrawingAfterAScrollLandsWhereItAims) {
    for (int k = 0; k < 30; k++) scroll(0, -13);
    scroll(0, 40);
    HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
    HGDIOBJ old = SelectObject(dc, brush);
    Rectangle(dc, 10, height - 13, width - 10, height + 1);
    SelectObject(dc, old);
    DeleteObject(brush);
    EXPECT_EQ(GetPixel(dc, 10, height - 13), RGB(0, 0, 0)); // the pen's outline
    EXPECT_EQ(GetPixel(dc, 11, height - 12), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 11, height - 14),
              platform::colorref_from_pixel(model[size_t(height - 14) * width + 11]));
    pump();
    const platform::Surface &shown = presented();
    EXPECT_EQ(shown.at(11, BAR_HEIGHT + height - 12), 0xFF0000u);
    EXPECT_EQ(rows_shown(0, BAR_HEIGHT), bar_rows);
}

TEST_F(Scroll, AnOpenMenuLiesOverTheScrolledPixelsAndLeavesThemWhenItCloses) {
    for (int k = 0; k < 25; k++) scroll(0, -13);
    pump();
    click_bar();
    RECT popup = popup_rect();
    for (int k = 0; k < 3; k++) scroll(0, -13);
    pump();
    const platform::Surface &shown = presented();
    for (int y = BAR_HEIGHT; y < shown.height; y += 3)
        for (int x = 0; x < shown.width; x += 3)
            if (!(x >= popup.left && x < popup.right && y >= popup.top && y < popup.bottom)) {
                ASSERT_EQ(shown.at(x, y), model[size_t(y - BAR_HEIGHT) * width + x])
                    << x << "," << y;
            }
    press(VK_ESCAPE);
    EXPECT_EQ(rows_shown(BAR_HEIGHT, BAR_HEIGHT + height), model);
}

TEST_F(Scroll, ResizingAndLosingTheMenuBarKeepTheScrolledPixels) {
    for (int k = 0; k < 20; k++) scroll(0, -13);
    scroll(0, 7);
    // The bar goes: the client area moves up inside the window, taking its pixels along (until
    // the window is painted again, which nothing here lets happen).
    SetMenu(window, nullptr);
    ClientArea t;
    ASSERT_TRUE(client_area(window, t));
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x += 7) ASSERT_EQ(t.at(x, y), model[size_t(y) * width + x]);
    // Smaller: the pixels that still fit stay.
    for (int k = 0; k < 5; k++)
        ASSERT_TRUE(ScrollDC(dc, 0, -13, nullptr, nullptr, nullptr, nullptr));
    std::vector<uint32_t> before = client();
    int old_width = t.width;
    MoveWindow(window, 0, 0, 300, 200, TRUE);
    ASSERT_TRUE(client_area(window, t));
    for (int y = 0; y < t.height; y++)
        for (int x = 0; x < t.width; x++) ASSERT_EQ(t.at(x, y), before[size_t(y) * old_width + x]);
}
