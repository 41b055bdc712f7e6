// The log on Windows: the ring of retained lines in movable memory blocks, and the lines shown
// at the bottom of the text window, scrolling up.
#include "package_fixture.h"

#include <string>

namespace {

class Log : public PackageFixture {
  protected:
    void SetUp() override {
        PackageFixture::SetUp();
        open();
        await_idle();
    }
    // The height of one log line: the text window's fixed font.
    int line_height() {
        HDC dc = GetDC(text_window);
        HGDIOBJ old = SelectObject(dc, GetStockObject(ANSI_FIXED_FONT));
        TEXTMETRICA metrics;
        GetTextMetricsA(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(text_window, dc);
        return metrics.tmHeight + metrics.tmExternalLeading;
    }
    // Whether rows top .. top + rows - 1 of the text window are all white (the last client
    // column is left out: the package never blanks it).
    bool blank(int top, int rows) {
        RECT client;
        GetClientRect(text_window, &client);
        HDC dc = GetDC(text_window);
        bool white = true;
        for (int y = top; y < top + rows && white; y++)
            for (int x = 0; x < client.right - 1 && white; x++)
                if (GetPixel(dc, x, y) != RGB(255, 255, 255)) white = false;
        ReleaseDC(text_window, dc);
        return white;
    }
    int client_bottom() {
        RECT client;
        GetClientRect(text_window, &client);
        return client.bottom;
    }
};

TEST_F(Log, RingKeepsTheLast25LinesExactly) {
    EXPECT_EQ(log_oldest, -1);
    EXPECT_EQ(gfx_log("line %d\n", 1), 7);
    for (int i = 2; i <= 25; i++) gfx_log("line %d\n", i);
    EXPECT_EQ(log_oldest, 0);
    EXPECT_EQ(log_next, 0);
    gfx_log("line %d\n", 26);
    EXPECT_EQ(log_oldest, 1);
    EXPECT_EQ(ring_line(0), "line 26\n");
    EXPECT_EQ(ring_line(1), "line 2\n");
    std::string copied = take_log();
    EXPECT_EQ(copied.substr(copied.size() - 16), "line 25\nline 26\n");
}

TEST_F(Log, EachLineIsShownAtTheBottomAndScrollsUp) {
    ShowWindow(text_window, SW_SHOWNOACTIVATE);
    UpdateWindow(text_window);
    int h = line_height();
    int bottom = client_bottom();
    ASSERT_GT(bottom, 3 * h);
    EXPECT_TRUE(blank(bottom - h, h));
    gfx_log("first line\n");
    EXPECT_FALSE(blank(bottom - h, h));
    gfx_log("%s", "");
    EXPECT_TRUE(blank(bottom - h, h));
    EXPECT_FALSE(blank(bottom - 2 * h, h));
}

} // namespace
