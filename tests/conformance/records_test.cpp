// The drawing calls seen through a record observer, as the conformance check captures them:
// each call's record instead of its painting, every field in place, the text with it; the
// observer installed before comes back afterwards. What the repairs make of the arguments is
// the drawing-call suite's (tests/gfx/drawing_calls_test.cpp), which also runs under Wine.
#include "gfx/observe.h"
#include "tools/conformance/canvas.h"
#include "tools/conformance/records.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class RecordCapture : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(open_canvas(error)) << error;
        fill_canvas(0x123456);
    }
    void TearDown() override { close_canvas(); }
    bool canvas_untouched() {
        const uint32_t *pixels = canvas_pixels();
        for (int i = 0; i < CANVAS_WIDTH * CANVAS_HEIGHT; i++)
            if ((pixels[i] & 0xFFFFFF) != 0x123456) return false;
        return true;
    }
};

void expect_fields(const CorpusRecord &entry, std::vector<int32_t> fields, const char *kind) {
    const DrawRecord &r = entry.record;
    EXPECT_EQ((std::vector<int32_t>{r.shape, r.color, r.width, r.x1, r.y1, r.x2, r.y2, r.x3, r.y3}),
              fields)
        << kind;
    EXPECT_STREQ(entry.kind, kind);
    EXPECT_EQ(r.text, nullptr);
}

TEST_F(RecordCapture, DrawingCallsHandOverTheirRecordsInsteadOfPainting) {
    std::vector<CorpusRecord> records = capture_records([] {
        gfx_circle(RED, 10, 20, 5);
        gfx_rectangle(BLUE, 10, 40, 30, -5, 2);
        gfx_oval(GREEN, 0, 0, 8, -4, 3);
        gfx_line(GREEN, -297, 240, 303, -300, 1);
        gfx_triangle(BLACK, 1, 2, 3, 4, 5, 6, 1);
        gfx_text(YELLOW, -7, 8, 127, "caf\xe9\n\x80 \"x\"");
        gfx_printf(BLACK, 0, 0, 12, "%d bugs", 9);
        gfx_text(BLACK, 1, 1, 0, "");
    });
    EXPECT_TRUE(canvas_untouched());
    ASSERT_EQ(records.size(), 8u);
    expect_fields(records[0], {SHAPE_OVAL, RED, 0, 5, 25, 15, 15, 0, 0}, "circle");
    expect_fields(records[1], {SHAPE_RECTANGLE, BLUE, 2, 10, 40, 30, -5, 0, 0}, "rectangle");
    expect_fields(records[2], {SHAPE_OVAL, GREEN, 3, 0, 0, 8, -4, 0, 0}, "oval");
    expect_fields(records[3], {SHAPE_LINE, GREEN, 1, -297, 240, 303, -300, 0, 0}, "line");
    expect_fields(records[4], {SHAPE_TRIANGLE, BLACK, 1, 1, 2, 3, 4, 5, 6}, "triangle");
    expect_fields(records[5], {SHAPE_TEXT, YELLOW, 0, -7, 8, 127, 0, 0, 0}, "text");
    EXPECT_EQ(records[5].text, "caf\xe9\n\x80 \"x\"");
    expect_fields(records[6], {SHAPE_TEXT, BLACK, 0, 0, 0, 12, 0, 0, 0}, "text");
    EXPECT_EQ(records[6].text, "9 bugs");
    EXPECT_EQ(records[7].text, "");

    // Without an observer the same call paints again.
    gfx_circle(RED, 10, 20, 5);
    EXPECT_FALSE(canvas_untouched());
}

TEST_F(RecordCapture, ACaptureInsideAnotherGivesTheOuterOneBackItsRecords) {
    std::vector<CorpusRecord> inner;
    std::vector<CorpusRecord> outer = capture_records([&] {
        gfx_line(RED, 0, 0, 1, 1, 1);
        inner = capture_records([] { gfx_line(BLUE, 0, 0, 2, 2, 1); });
        gfx_line(GREEN, 0, 0, 3, 3, 1);
    });
    ASSERT_EQ(inner.size(), 1u);
    EXPECT_EQ(inner[0].record.color, BLUE);
    ASSERT_EQ(outer.size(), 2u);
    EXPECT_EQ(outer[0].record.color, RED);
    EXPECT_EQ(outer[1].record.color, GREEN);
    EXPECT_EQ(record_observer, nullptr);
}

} // namespace
