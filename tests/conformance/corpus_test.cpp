// The corpus holds what the check promises: every frame of two scene cycles, with text records
// captured, and at least 10,000 random records of every kind, pen width and size class.
#include "tools/conformance/corpus.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>

namespace {

TEST(Corpus, FramesAreTheDemosWholeFrames) {
    std::vector<std::vector<CorpusRecord>> frames = demo_frames();
    ASSERT_EQ(frames.size(), 102u);
    std::set<std::string> texts;
    for (const auto &frame : frames) {
        size_t text_records = 0;
        for (const CorpusRecord &entry : frame) {
            if (entry.record.shape != SHAPE_TEXT) continue;
            text_records++;
            texts.insert(entry.text);
        }
        // Nine bugs of fifteen calls each, the scene and the panel.
        EXPECT_GT(frame.size() - text_records, 9u * 15u + 50u);
        EXPECT_GT(text_records, 9u);
    }
    EXPECT_TRUE(texts.count("Click a number to choose bug, then click button to control the bug."));
    // The fish swim in the first cycle only: frames differ, and drawing left nothing behind.
    EXPECT_NE(frames[0].size(), frames[51].size());
    EXPECT_EQ(logging_on, 1);
}

TEST(Corpus, RandomRecordsCoverEveryKindWidthAndSize) {
    std::vector<CorpusRecord> shapes = random_shapes(1, 10000);
    std::map<std::string, std::set<int>> widths;
    int large = 0, reversed = 0, empty_boxes = 0, cut_by_an_edge = 0;
    for (const CorpusRecord &entry : shapes) {
        const DrawRecord &r = entry.record;
        widths[entry.kind].insert(r.width);
        for (int v : {r.x1, r.y1, r.x2, r.y2, r.x3, r.y3}) {
            EXPECT_LE(v, 5000);
            EXPECT_GE(v, -5000);
        }
        bool box = r.shape == SHAPE_RECTANGLE || r.shape == SHAPE_OVAL;
        if (box && (r.x1 > r.x2 || r.y1 < r.y2)) reversed++;
        if (box && (r.x1 == r.x2 || r.y1 == r.y2)) empty_boxes++;
        if (std::abs(r.x1) > 1000 || std::abs(r.y2) > 1000) large++;
        if (r.shape == SHAPE_RECTANGLE && r.x1 < -297 && r.x2 > -297 && r.x2 < 300)
            cut_by_an_edge++;
    }
    for (const char *kind : {"rectangle", "oval", "circle", "triangle", "line"})
        EXPECT_EQ(widths[kind], (std::set<int>{0, 1, 2, 3, 4, 5})) << kind;
    EXPECT_GT(widths.count("pixel"), 0u);
    EXPECT_GT(large, 500);
    EXPECT_GT(reversed, 500);
    EXPECT_GT(empty_boxes, 100);
    EXPECT_GT(cut_by_an_edge, 20);
}

TEST(Corpus, IsTheSameEveryTime) {
    Corpus a = build_corpus(), b = build_corpus();
    ASSERT_GE(a.shapes.size(), size_t(RANDOM_SHAPES));
    ASSERT_EQ(a.shapes.size(), b.shapes.size());
    ASSERT_EQ(a.texts.size(), b.texts.size());
    for (size_t i = 0; i < a.shapes.size(); i++)
        ASSERT_EQ(memcmp(&a.shapes[i].record, &b.shapes[i].record, sizeof(DrawRecord)), 0) << i;
    EXPECT_EQ(describe(a.shapes.back()), describe(b.shapes.back()));
}

} // namespace
