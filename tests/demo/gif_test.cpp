// The demo's animated GIFs end to end: the headless runner plays the demo, writes a GIF of each
// window and takes shots along the way; every shot must be, pixel for pixel, the GIF's frame at
// the moment it was taken, and the frames must last as long as the virtual time that passed.
#include "platform/png_file.h"
#include "tests/tools/gif_frames.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// Shots at 0, 350, 650, 1000, 1500 and 2050 ms after the GIFs began: while the bugs walk, after
// a bug is added, with the Run menu open over the animation, after it is closed and logging is
// turned on (the text window scrolls with each drawing call from then on). Each input comes
// a little after a shot: a picture replaced at the very moment it came is never seen, and a GIF
// leaves it out.
constexpr char ACTIONS[] = R"(wait 1000
gif run.gif
textgif text.gif
shot s0.png
textshot t0.png
wait 350
shot s350.png
wait 50
click 40 183
wait 250
shot s650.png
wait 50
key alt+r
wait 300
shot s1000.png
wait 50
key escape
wait 50
key ctrl+l
wait 400
shot s1500.png
textshot t1500.png
wait 550
shot s2050.png
textshot t2050.png
gif end
textgif end
wait 500
)";

class DemoGif : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        char pattern[] = "/tmp/korva-demo-gif-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        output = pattern;
        std::ofstream(output + "/gif.actions") << ACTIONS;
        std::string command = "cd " + output + " && " + std::string(RUNNER) + " gif.actions";
        status = std::system(command.c_str());
    }
    static void TearDownTestSuite() { std::filesystem::remove_all(output); }

    static gif_test::Animation read(const std::string &name) {
        gif_test::Animation animation;
        std::string error;
        EXPECT_TRUE(gif_test::read_gif(output + "/" + name, animation, error)) << error;
        return animation;
    }

    // The shot equals the GIF's frame at `ms` after its start.
    static void expect_frame_is_shot(const gif_test::Animation &gif, int ms,
                                     const std::string &shot) {
        std::vector<uint32_t> pixels;
        int width = 0, height = 0;
        std::string error;
        ASSERT_TRUE(platform::read_png(output + "/" + shot, pixels, width, height, error)) << error;
        ASSERT_EQ(width, gif.width) << shot;
        ASSERT_EQ(height, gif.height) << shot;
        gif_test::Rect differing =
            gif_test::changed_rect(gif.frame_at(ms / 10).picture, pixels, width);
        EXPECT_EQ(differing, gif_test::Rect{})
            << shot << ": differs from the GIF's frame at " << ms << " ms within ("
            << differing.left << ", " << differing.top << ") " << differing.width << "x"
            << differing.height;
    }

    static std::string output;
    static int status;
};

std::string DemoGif::output;
int DemoGif::status = -1;

TEST_F(DemoGif, FramesAreTheShotsTakenAtTheSameMoments) {
    ASSERT_EQ(status, 0);
    gif_test::Animation gif = read("run.gif");
    ASSERT_GT(gif.frames.size(), 2u);
    EXPECT_EQ(gif.total_delay(), 205);
    for (int ms : {0, 350, 650, 1000, 1500, 2050})
        expect_frame_is_shot(gif, ms, "s" + std::to_string(ms) + ".png");

    gif_test::Animation text = read("text.gif");
    EXPECT_EQ(text.total_delay(), 205);
    EXPECT_GT(text.frames.size(), 2u);
    for (int ms : {0, 1500, 2050})
        expect_frame_is_shot(text, ms, "t" + std::to_string(ms) + ".png");
}

// What a GIF of the demo holds: one global table of the colours shown, a loop forever, a frame
// for each new picture (the animation ticks every 100 ms), each frame cropped to exactly what
// changed since the one before.
TEST_F(DemoGif, FramesSendOnlyWhatChanged) {
    gif_test::Animation gif = read("run.gif");
    EXPECT_TRUE(gif.loops_forever);
    EXPECT_TRUE(gif.keeps_frames);
    EXPECT_FALSE(gif.local_colours);
    EXPECT_LE(gif.colours, 64);
    ASSERT_GE(gif.frames.size(), 19u);
    const gif_test::Frame &first = gif.frames[0];
    EXPECT_EQ((gif_test::Rect{first.left, first.top, first.width, first.height}),
              (gif_test::Rect{0, 0, gif.width, gif.height}));
    for (size_t i = 1; i < gif.frames.size(); i++) {
        const gif_test::Frame &f = gif.frames[i];
        gif_test::Rect changed =
            gif_test::changed_rect(gif.frames[i - 1].picture, f.picture, gif.width);
        EXPECT_NE(changed, gif_test::Rect{}) << "frame " << i << " repeats the one before";
        EXPECT_EQ((gif_test::Rect{f.left, f.top, f.width, f.height}), changed) << "frame " << i;
    }
}

} // namespace
