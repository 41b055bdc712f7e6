// The text comparison: pixel for pixel at one-bit sizes, by the box rule where Wine draws grey,
// not judged at an em of 1; on dumps made for the purpose.
#include "tools/conformance/dump.h"
#include "tools/conformance/render_corpus.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// Black text on the background: a pixel mostly covered, and one barely.
const uint32_t kBlack = 0x000000, kDark = 0x080F1A, kFaint = 0x101F33;

// Canvases of the background with blocks of one colour drawn in.
struct Canvas {
    std::vector<uint32_t> pixels =
        std::vector<uint32_t>(CANVAS_WIDTH * CANVAS_HEIGHT, BACKGROUND_PIXEL);
    Canvas &block(int left, int top, int right, int bottom, uint32_t pixel) {
        for (int y = top; y <= bottom; y++)
            for (int x = left; x <= right; x++)
                pixels[size_t(y) * CANVAS_WIDTH + size_t(x)] = pixel;
        return *this;
    }
};

class CompareTexts : public ::testing::Test {
  protected:
    void SetUp() override {
        directory_ = std::filesystem::temp_directory_path() /
                     ("korva-compare-" +
                      std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::create_directories(directory_ / "wine");
        std::filesystem::create_directories(directory_ / "native");
    }
    void TearDown() override { std::filesystem::remove_all(directory_); }

    // Compares one black text record of `size` drawn as `wine` and as `native`.
    bool agree(int size, const Canvas &wine, const Canvas &native) {
        Corpus corpus;
        corpus.texts.push_back({{SHAPE_TEXT, BLACK, 0, 0, 0, size, 0, 0, 0, nullptr}, "x", "text"});
        for (auto [name, canvas] : {std::pair{"wine", &wine}, {"native", &native}}) {
            DumpWriter writer((directory_ / name / "texts.dump").string(), CANVAS_WIDTH,
                              CANVAS_HEIGHT);
            writer.add(canvas->pixels.data());
            EXPECT_TRUE(writer.finish());
        }
        std::string error;
        bool agreed = compare_texts(corpus, (directory_ / "wine").string(),
                                    (directory_ / "native").string(), error);
        EXPECT_EQ(error, "");
        return agreed;
    }
    std::filesystem::path directory_;
};

TEST_F(CompareTexts, OneBitSizesMustMatchPixelForPixel) {
    Canvas wine, native;
    wine.block(10, 10, 20, 30, kBlack);
    native.block(10, 10, 20, 30, kBlack);
    EXPECT_TRUE(agree(12, wine, native));
    native.block(21, 30, 21, 30, kBlack); // one pixel more
    EXPECT_FALSE(agree(12, wine, native));
    EXPECT_FALSE(agree(0, wine, native)); // the default cell is drawn in one bit too
}

TEST_F(CompareTexts, GreySizesCompareBoxesOfSolidAndOfAllPixels) {
    // Wine: solid rows 10..30 and columns 10..21 (the last one mostly covered), a faint fringe
    // out to rows 7..33 and columns 7..23.
    Canvas wine;
    wine.block(7, 7, 23, 33, kFaint).block(10, 10, 20, 30, kBlack).block(21, 10, 21, 30, kDark);
    Canvas same;
    same.block(10, 10, 21, 30, kBlack);
    EXPECT_TRUE(agree(20, wine, same));
    // A pixel short of the solid box on every side: still within the rule.
    Canvas smaller;
    smaller.block(11, 11, 20, 29, kBlack);
    EXPECT_TRUE(agree(20, wine, smaller));
    // Two short on the left or the right: not covered.
    Canvas too_small;
    too_small.block(12, 10, 21, 30, kBlack);
    EXPECT_FALSE(agree(20, wine, too_small));
    too_small = Canvas();
    too_small.block(10, 10, 19, 30, kBlack);
    EXPECT_FALSE(agree(20, wine, too_small));
    // Out to the fringe plus two, and one beyond.
    Canvas wide;
    wide.block(5, 10, 25, 30, kBlack);
    EXPECT_TRUE(agree(5, wine, wide));
    wide.block(4, 20, 4, 20, kBlack);
    EXPECT_FALSE(agree(5, wine, wide));
}

TEST_F(CompareTexts, SolidPixelsOnTheCanvasEdgeAreLeftOut) {
    // Wine's only solid pixel in the top row is on the right edge; the stand-in's counterpart
    // lies beyond the canvas.
    Canvas wine, native;
    wine.block(590, 20, 599, 30, kBlack).block(600, 10, 600, 10, kBlack);
    native.block(590, 20, 599, 30, kBlack);
    EXPECT_TRUE(agree(36, wine, native));
    wine.block(599, 10, 599, 10, kBlack); // one column in: no longer left out
    EXPECT_FALSE(agree(36, wine, native));
}

TEST_F(CompareTexts, AnEmOfOnePixelIsNotJudged) {
    Canvas wine, native;
    wine.block(10, 10, 40, 10, kFaint);
    native.block(300, 200, 300, 200, kBlack);
    EXPECT_TRUE(agree(1, wine, native));
    EXPECT_FALSE(agree(9, wine, native));
}

} // namespace
