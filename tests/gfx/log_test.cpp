// The log: the ring of retained lines, printing at the bottom of the text window, and replay.
#include "package_test.h"

#include <cstring>
#include <string>

namespace {

class Log : public PackageTest {
  protected:
    void open_on(int width, int height) {
        use_screen(width, height);
        open();
        await_idle();
    }
    // The text window's client pixels, as presented.
    const platform::Surface &text_pixels() {
        await_idle();
        return shown(text_id());
    }
    static int line_height() { return 13; }
    // Rows whose pixels differ between two images of the same size.
    static bool rows_equal(const platform::Surface &a, const platform::Surface &b, int from_a,
                           int from_b, int rows) {
        for (int y = 0; y < rows; y++)
            if (std::memcmp(a.row(from_a + y), b.row(from_b + y), size_t(a.width) * 4) != 0)
                return false;
        return true;
    }
    static bool blank(const platform::Surface &s, int top, int rows) {
        for (int y = top; y < top + rows; y++)
            for (int x = 0; x < s.width; x++)
                if (s.at(x, y) != 0xFFFFFF) return false;
        return true;
    }
};

TEST_F(Log, RingFillsThenReplacesTheOldestLine) {
    open_on(1024, 768);
    EXPECT_EQ(log_oldest, -1);
    EXPECT_EQ(log_next, 0);
    gfx_log("line %d\n", 1);
    EXPECT_EQ(log_oldest, 0);
    EXPECT_EQ(log_next, 1);
    for (int i = 2; i <= 25; i++) gfx_log("line %d\n", i);
    EXPECT_EQ(log_oldest, 0);
    EXPECT_EQ(log_next, 0);
    EXPECT_EQ(kernel::live_blocks(), 25);
    gfx_log("line %d\n", 26);
    EXPECT_EQ(log_oldest, 1);
    EXPECT_EQ(log_next, 1);
    EXPECT_EQ(ring_line(0), "line 26\n");
    EXPECT_EQ(ring_line(1), "line 2\n");
    EXPECT_EQ(kernel::live_blocks(), 25);
}

TEST_F(Log, BlocksHoldTheLineExactly) {
    open_on(1024, 768);
    EXPECT_EQ(gfx_log("abc\n"), 4);
    EXPECT_EQ(GlobalSize(log_ring[0]), 5u);
    EXPECT_EQ(gfx_log("%s", ""), 0);
    EXPECT_EQ(GlobalSize(log_ring[1]), 1u);
    EXPECT_EQ(ring_line(0), "abc\n");
}

TEST_F(Log, EachLineScrollsTheWindowByOneLine) {
    open_on(1024, 768);
    gfx_log("first\n");
    platform::Surface before = text_pixels();
    int h = line_height();
    int bottom = before.height;
    EXPECT_FALSE(blank(before, bottom - h, h));
    // An empty line still scrolls: what was at the bottom moves up by one line.
    gfx_log("%s", "");
    platform::Surface after = text_pixels();
    EXPECT_TRUE(rows_equal(before, after, bottom - h, bottom - 2 * h, h));
    EXPECT_TRUE(blank(after, bottom - h, h));
}

TEST_F(Log, TrailingNewlinesDrawAsTextWouldShowThem) {
    open_on(1024, 768);
    gfx_log("abc\n");
    platform::Surface abc = text_pixels();
    gfx_log("abc");
    platform::Surface plain = text_pixels();
    int h = line_height(), bottom = abc.height;
    // "abc\n" draws as the three letters alone.
    EXPECT_TRUE(rows_equal(abc, plain, bottom - h, bottom - h, h));
    // A second newline stays in the text and is drawn as the face draws that byte.
    gfx_log("abc\n\n");
    platform::Surface two = text_pixels();
    EXPECT_FALSE(rows_equal(abc, two, bottom - h, bottom - h, h));
}

TEST_F(Log, RepaintReplaysTheRetainedLinesOldestFirst) {
    // A screen tall enough for the text window to show all 25 retained lines.
    open_on(1280, 1200);
    for (int i = 1; i <= 30; i++) gfx_log("line %d of the log\n", i);
    platform::Surface before = text_pixels();
    int h = line_height(), bottom = before.height;
    ASSERT_GE(bottom, 26 * h);

    InvalidateRect(text_window, nullptr, TRUE);
    platform::Surface after = text_pixels();
    // Lines 6 to 30 come back in the same places; above them the window is blank.
    EXPECT_TRUE(rows_equal(before, after, bottom - 25 * h, bottom - 25 * h, 25 * h));
    EXPECT_TRUE(blank(after, 0, bottom - 25 * h));
    // Replay prints each stored line through the same routine, which drops its newline.
    EXPECT_EQ(ring_line(log_oldest), "line 6 of the log");
}

TEST_F(Log, RepaintBeforeAnyLineDrawsNothing) {
    open_on(1024, 768);
    InvalidateRect(text_window, nullptr, TRUE);
    EXPECT_TRUE(blank(text_pixels(), 0, text_pixels().height));
}

TEST_F(Log, ALineWithoutAMemoryBlockIsShownButNotRetained) {
    open_on(1024, 768);
    gfx_log("kept\n");
    platform::Surface before = text_pixels();
    kernel::fail_next_allocations(1);
    EXPECT_EQ(gfx_log("dropped\n"), 8);
    EXPECT_EQ(log_next, 1);
    EXPECT_EQ(ring_line(0), "kept\n");
    EXPECT_EQ(take_log(), "kept\ndropped\n");
    // The window scrolled and shows the line at the bottom, as it shows a retained one.
    platform::Surface shown = text_pixels();
    int h = line_height(), bottom = shown.height;
    EXPECT_TRUE(rows_equal(before, shown, bottom - h, bottom - 2 * h, h));
    gfx_log("dropped\n");
    platform::Surface retained = text_pixels();
    EXPECT_TRUE(rows_equal(shown, retained, bottom - h, bottom - h, h));
    EXPECT_FALSE(rows_equal(before, shown, bottom - h, bottom - h, h));
}

TEST_F(Log, KeysInTheTextWindowReachTheGraphicsWindow) {
    open_on(1024, 768);
    display->focus(text_id());
    // Ctrl+A typed into the text window starts the animation.
    key_down(VK_CONTROL);
    press_key('A');
    key_up(VK_CONTROL);
    EXPECT_EQ(await().kind, EVENT_PERIODIC);
    EXPECT_EQ(running, 1);
    // A character typed there is an event of the graphics window.
    gfx_animate(ANIMATE_HALT);
    press_key('X');
    Event event = await();
    EXPECT_EQ(event.kind, EVENT_KBD);
    EXPECT_EQ(event.key, 'x');
}

} // namespace
