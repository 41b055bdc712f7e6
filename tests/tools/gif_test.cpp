// The GIFs of the headless runner: the compression against giflib's own, and pictures written
// and read back with giflib.
#include "tests/tools/gif_frames.h"
#include "tools/headless/gif_lzw.h"
#include "tools/headless/gif_writer.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

// ---- Compression ---------------------------------------------------------------------------

int write_to_memory(GifFileType *gif, const GifByteType *bytes, int length) {
    auto &out = *static_cast<std::vector<uint8_t> *>(gif->UserData);
    out.insert(out.end(), bytes, bytes + length);
    return length;
}

int read_from_memory(GifFileType *gif, GifByteType *bytes, int length) {
    auto &in = *static_cast<std::pair<const std::vector<uint8_t> *, size_t> *>(gif->UserData);
    int n = std::min(length, int(in.first->size() - in.second));
    std::copy_n(in.first->data() + in.second, n, bytes);
    in.second += size_t(n);
    return n;
}

// giflib's own compression of the indices, as an image `width` wide, read back as the data
// sub-blocks the file holds.
std::vector<uint8_t> giflib_blocks(std::vector<uint8_t> indices, int width, int code_size) {
    std::vector<uint8_t> file;
    int error = 0;
    GifFileType *out = EGifOpen(&file, write_to_memory, &error);
    ColorMapObject *map = GifMakeMapObject(1 << code_size, nullptr);
    int height = int(indices.size()) / width;
    EXPECT_EQ(EGifPutScreenDesc(out, width, height, 8, 0, map), GIF_OK);
    EXPECT_EQ(EGifPutImageDesc(out, 0, 0, width, height, false, nullptr), GIF_OK);
    for (int y = 0; y < height; y++)
        EXPECT_EQ(EGifPutLine(out, indices.data() + size_t(y) * size_t(width), width), GIF_OK);
    EGifCloseFile(out, &error);
    GifFreeMapObject(map);

    std::pair<const std::vector<uint8_t> *, size_t> source{&file, 0};
    GifFileType *in = DGifOpen(&source, read_from_memory, &error);
    GifRecordType record;
    std::vector<uint8_t> blocks;
    while (DGifGetRecordType(in, &record) == GIF_OK && record != IMAGE_DESC_RECORD_TYPE) {
    }
    int size = 0;
    GifByteType *block = nullptr;
    EXPECT_EQ(DGifGetImageDesc(in), GIF_OK);
    EXPECT_EQ(DGifGetCode(in, &size, &block), GIF_OK);
    EXPECT_EQ(size, std::max(code_size, 2));
    while (block) {
        blocks.insert(blocks.end(), block, block + block[0] + 1);
        EXPECT_EQ(DGifGetCodeNext(in, &block), GIF_OK);
    }
    DGifCloseFile(in, &error);
    return blocks;
}

TEST(GifCompression, GivesGiflibsCodes) {
    std::mt19937 random(20);
    struct Case {
        const char *name;
        int code_size;
        std::vector<uint8_t> indices;
    };
    std::vector<Case> cases;
    auto add = [&](const char *name, int code_size, auto index_at, size_t count) {
        Case c{name, code_size, {}};
        for (size_t i = 0; i < count; i++) c.indices.push_back(uint8_t(index_at(i)));
        cases.push_back(c);
    };
    for (int bits = 2; bits <= 8; bits++)
        add(
            "random", bits, [&](size_t) { return random() % (1u << bits); }, 40000);
    // Runs: one index for longer than a table holds, runs of every length up to several
    // hundred, mostly transparent with a few other indices, as a recording's frames are.
    add(
        "one index", 4, [](size_t) { return 3; }, 200000);
    add(
        "runs", 5, [](size_t i) { return (i / (1 + i % 7 * 50)) % 3 == 0 ? 0 : i % 31; }, 100000);
    add(
        "sparse", 4, [&](size_t) { return random() % 40 == 0 ? 1 + random() % 15 : 0; }, 300000);
    add(
        "two runs", 3, [](size_t i) { return (i / 37) % 2 * 5; }, 60000);
    add(
        "single index", 2, [](size_t) { return 1; }, 1000);
    add(
        "one pixel", 2, [](size_t) { return 0; }, 1000);
    cases.back().indices.resize(1);

    headless::LzwEncoder encoder; // one encoder for all, as a recording uses it
    for (const Case &c : cases) {
        int width = c.indices.size() % 1000 == 0 ? 1000 : int(c.indices.size());
        std::vector<uint8_t> ours;
        encoder.compress(c.indices.data(), c.indices.size(), c.code_size, ours);
        EXPECT_EQ(ours, giflib_blocks(c.indices, width, c.code_size))
            << c.name << ", code size " << c.code_size;
    }
}

// ---- Pictures written and read back --------------------------------------------------------

class GifFile : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/korva-gif-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        directory_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(directory_); }

    // Writes the writer's GIF, ending at `end`, and reads it back.
    gif_test::Animation written(const headless::GifWriter &writer, uint64_t end) {
        std::string path = directory_ + "/out.gif", error;
        FILE *file = std::fopen(path.c_str(), "wb");
        EXPECT_TRUE(writer.write(file, end, error)) << error;
        std::fclose(file);
        gif_test::Animation animation;
        EXPECT_TRUE(gif_test::read_gif(path, animation, error)) << error;
        return animation;
    }

    std::string directory_;
};

using Picture = std::vector<uint32_t>;

TEST_F(GifFile, PicturesComeBackExactlyEachForItsTime) {
    const int w = 40, h = 30;
    Picture sky(w * h, 0x99CCFF), sun = sky, moved, same;
    for (int y = 5; y < 12; y++)
        for (int x = 3; x < 9; x++) sun[y * w + x] = 0xFFCC00;
    moved = sun;
    moved[29 * w + 39] = 0x000000; // a corner: the rectangle reaches the edges
    moved[0] = 0xFFFFFF;
    headless::GifWriter writer(w, h);
    writer.add_picture(sky.data(), w, h, 0);
    writer.add_picture(sun.data(), w, h, 30);
    writer.add_picture(sun.data(), w, h, 45); // the same again: the sun only lasts longer
    writer.add_picture(moved.data(), w, h, 50);
    gif_test::Animation gif = written(writer, 52);

    EXPECT_EQ(gif.width, w);
    EXPECT_EQ(gif.height, h);
    EXPECT_TRUE(gif.loops_forever);
    EXPECT_TRUE(gif.keeps_frames);
    EXPECT_FALSE(gif.local_colours);
    EXPECT_EQ(gif.colours, 8); // transparent, sky, sun, black, white
    ASSERT_EQ(gif.frames.size(), 3u);
    const Picture *pictures[] = {&sky, &sun, &moved};
    const int delays[] = {30, 20, 2};
    const gif_test::Rect rects[] = {{0, 0, w, h}, {3, 5, 6, 7}, {0, 0, w, h}};
    for (size_t i = 0; i < 3; i++) {
        EXPECT_EQ(gif.frames[i].picture, *pictures[i]) << "frame " << i;
        EXPECT_EQ(gif.frames[i].delay, delays[i]) << "frame " << i;
        const gif_test::Frame &f = gif.frames[i];
        EXPECT_EQ((gif_test::Rect{f.left, f.top, f.width, f.height}), rects[i]) << "frame " << i;
    }
}

TEST_F(GifFile, PictureLongerThanADelayHoldsIsCarriedOn) {
    Picture grey(4, 0x808080);
    headless::GifWriter writer(2, 2);
    writer.add_picture(grey.data(), 2, 2, 0);
    gif_test::Animation gif = written(writer, 200000); // over half an hour
    EXPECT_EQ(gif.total_delay(), 200000);
    for (const gif_test::Frame &f : gif.frames) EXPECT_EQ(f.picture, grey);
    EXPECT_EQ(gif.frames.size(), 4u); // 65535 hundredths at most each
}

TEST_F(GifFile, OddPicturesAreCutToTheGifOrMergedIntoItsColours) {
    // A larger picture is cut to the first one's size; a smaller one changes only what it covers.
    const int w = 20, h = 10;
    Picture first(w * h, 0x112233), larger(30 * 12, 0x445566), smaller(5 * 5, 0x778899);
    headless::GifWriter writer(w, h);
    writer.add_picture(first.data(), w, h, 0);
    writer.add_picture(larger.data(), 30, 12, 10);
    writer.add_picture(smaller.data(), 5, 5, 20);
    // 300 colours: past the 255 a GIF holds, each is drawn as the nearest kept.
    Picture many(w * h);
    for (int i = 0; i < w * h; i++) many[i] = uint32_t(i < 150 ? i * 0x010101 : 0xFF0000 + i);
    writer.add_picture(many.data(), w, h, 30);
    Picture more(w * h);
    for (int i = 0; i < w * h; i++) more[i] = uint32_t(0x00FF00 + i);
    writer.add_picture(more.data(), w, h, 40);
    EXPECT_TRUE(writer.colours_merged());
    gif_test::Animation gif = written(writer, 50);

    ASSERT_EQ(gif.frames.size(), 5u);
    EXPECT_EQ(gif.frames[1].picture, Picture(w * h, 0x445566));
    Picture expected(w * h, 0x445566);
    for (int y = 0; y < 5; y++)
        for (int x = 0; x < 5; x++) expected[y * w + x] = 0x778899;
    EXPECT_EQ(gif.frames[2].picture, expected);
    EXPECT_EQ(gif.frames[3].picture, many);
    EXPECT_EQ(gif.colours, 256);
    int exact = 0;
    for (int i = 0; i < w * h; i++) exact += gif.frames[4].picture[i] == more[i];
    EXPECT_GT(exact, 50); // the colours that still fit
    EXPECT_LT(exact, w * h);
}

} // namespace
