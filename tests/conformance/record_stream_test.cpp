// The package's record stream: with it set, the drawing calls write their records (repaired as
// they would be painted) instead of painting, in the documented layout, and the conformance
// check reads them back; a stream cut short is an error, never a record.
#include "gfx/record_stream.h"
#include "tools/conformance/canvas.h"
#include "tools/conformance/records.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

class RecordStream : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(open_canvas(error)) << error;
        fill_canvas(0x123456);
        stream_ = tmpfile();
        ASSERT_NE(stream_, nullptr);
    }
    void TearDown() override {
        gfx_record_stream = nullptr;
        if (stream_) fclose(stream_);
        close_canvas();
    }
    bool canvas_untouched() {
        const uint32_t *pixels = canvas_pixels();
        for (int i = 0; i < CANVAS_WIDTH * CANVAS_HEIGHT; i++)
            if ((pixels[i] & 0xFFFFFF) != 0x123456) return false;
        return true;
    }
    // Every record written so far, read from the start.
    std::vector<CorpusRecord> read_back(std::string &error) {
        std::vector<CorpusRecord> records;
        long end = ftell(stream_);
        rewind(stream_);
        EXPECT_TRUE(read_records(stream_, end, records, error)) << error;
        return records;
    }
    FILE *stream_ = nullptr;
};

void expect_fields(const CorpusRecord &entry, std::vector<int32_t> fields, const char *kind) {
    const DrawRecord &r = entry.record;
    EXPECT_EQ((std::vector<int32_t>{r.shape, r.color, r.width, r.x1, r.y1, r.x2, r.y2, r.x3, r.y3}),
              fields)
        << kind;
    EXPECT_STREQ(entry.kind, kind);
    EXPECT_EQ(r.text, nullptr);
}

TEST_F(RecordStream, DrawingCallsWriteTheirRecordsInsteadOfPainting) {
    gfx_record_stream = stream_;
    gfx_circle(RED, 10, 20, -5);              // radius repaired to 5
    gfx_rectangle(BLUE, 30, -5, 10, 40, 2);   // corners normalised
    gfx_oval(99, 0, 0, 8, -4, -3);            // colour and width repaired
    gfx_line(GREEN, -297, 240, 303, -300, 0); // width 0 drawn as 1
    gfx_triangle(BLACK, 1, 2, 3, 4, 5, 6, 1);
    gfx_text(YELLOW, -7, 8, 300, "caf\xe9\n\x80 \"x\""); // point size cut to 127
    gfx_printf(BLACK, 0, 0, 12, "%d bugs", 9);
    gfx_text(BLACK, 1, 1, 0, "");
    EXPECT_TRUE(canvas_untouched());

    std::string error;
    std::vector<CorpusRecord> records = read_back(error);
    ASSERT_EQ(records.size(), 8u);
    expect_fields(records[0], {SHAPE_OVAL, RED, 0, 5, 25, 15, 15, 0, 0}, "circle");
    expect_fields(records[1], {SHAPE_RECTANGLE, BLUE, 2, 10, 40, 30, -5, 0, 0}, "rectangle");
    expect_fields(records[2], {SHAPE_OVAL, RED, 3, 0, 0, 8, -4, 0, 0}, "oval");
    expect_fields(records[3], {SHAPE_LINE, GREEN, 1, -297, 240, 303, -300, 0, 0}, "line");
    expect_fields(records[4], {SHAPE_TRIANGLE, BLACK, 1, 1, 2, 3, 4, 5, 6}, "triangle");
    expect_fields(records[5], {SHAPE_TEXT, YELLOW, 0, -7, 8, 127, 0, 0, 0}, "text");
    EXPECT_EQ(records[5].text, "caf\xe9\n\x80 \"x\"");
    expect_fields(records[6], {SHAPE_TEXT, BLACK, 0, 0, 0, 12, 0, 0, 0}, "text");
    EXPECT_EQ(records[6].text, "9 bugs");
    EXPECT_EQ(records[7].text, "");

    // Without the stream the same call paints again.
    gfx_record_stream = nullptr;
    gfx_circle(RED, 10, 20, 5);
    EXPECT_FALSE(canvas_untouched());
}

// Values as 32-bit little-endian integers, one after the other.
std::vector<unsigned char> little_endian(std::initializer_list<int64_t> values) {
    std::vector<unsigned char> bytes;
    for (int64_t value : values)
        for (int b = 0; b < 4; b++) bytes.push_back((uint64_t(value) >> (8 * b)) & 0xFF);
    return bytes;
}

TEST_F(RecordStream, RecordsAreLittleEndianIntegersAndTheText) {
    gfx_record_stream = stream_;
    gfx_rectangle(BLUE, -2, 1, 258, -65536, 0);
    gfx_text(RED, 1, 2, 3, "Hi");
    ASSERT_EQ(ftell(stream_), 40 + 40 + 2);
    rewind(stream_);
    std::vector<unsigned char> bytes(82);
    ASSERT_EQ(fread(bytes.data(), 1, bytes.size(), stream_), bytes.size());

    std::vector<unsigned char> expected =
        little_endian({SHAPE_RECTANGLE, BLUE, 0, -2, 1, 258, -65536, 0, 0, 0});
    std::vector<unsigned char> text = little_endian({SHAPE_TEXT, RED, 0, 1, 2, 3, 0, 0, 0, 2});
    expected.insert(expected.end(), text.begin(), text.end());
    expected.push_back('H');
    expected.push_back('i');
    EXPECT_EQ(bytes, expected);
    // x1 = -2 and x2 = 258, spelled out.
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin() + 12, bytes.begin() + 16),
              (std::vector<unsigned char>{0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin() + 20, bytes.begin() + 24),
              (std::vector<unsigned char>{0x02, 0x01, 0x00, 0x00}));
}

TEST_F(RecordStream, StreamsCutShortAreErrors) {
    gfx_record_stream = stream_;
    gfx_text(RED, 1, 2, 3, "Hello");
    gfx_record_stream = nullptr;
    long whole = ftell(stream_);
    ASSERT_EQ(whole, 45);
    for (long end : {1L, 39L, 41L, 44L}) {
        std::vector<CorpusRecord> records;
        std::string error;
        rewind(stream_);
        EXPECT_FALSE(read_records(stream_, end, records, error)) << end;
        EXPECT_NE(error.find("cut short"), std::string::npos) << error;
        EXPECT_TRUE(records.empty());
    }
    // A declared end past the data: the stream itself runs out.
    std::vector<CorpusRecord> records;
    std::string error;
    rewind(stream_);
    EXPECT_FALSE(read_records(stream_, whole + 40, records, error));
    EXPECT_EQ(records.size(), 1u);
}

} // namespace
