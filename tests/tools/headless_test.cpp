// The headless runner, driving a small client that logs every event it gets.
#include "platform/png_file.h"
#include "tests/tools/gif_frames.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace {

class Headless : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/korva-headless-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        directory_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(directory_); }

    std::string path(const std::string &name) { return directory_ + "/" + name; }

    // Runs the probe with these actions; returns its exit status and keeps its log, output and
    // errors.
    int run(const std::string &actions, const std::string &options = "",
            const std::string &after = "") {
        std::ofstream(path("actions")) << actions;
        std::string command = "cd " + directory_ + " && " + PROBE + " " + options +
                              " --log log actions " + after + " > output 2> errors";
        int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string read(const std::string &name) {
        std::ifstream file(path(name), std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    std::string directory_;
};

TEST_F(Headless, WaitDeliversEveryTickOfTheSpanAtItsOwnTime) {
    EXPECT_EQ(run("wait 100\nclick 297 240\nwait 999\nclick 0 0\nwait 1\nclose\n"), 7);
    EXPECT_EQ(read("log"), "ticks 1\nmouse 0 0\nticks 9\nmouse -297 240\nticks 1\nquit\n");
}

TEST_F(Headless, KeysAndTypedTextBecomeCharacters) {
    // The text is UTF-8; each character is typed as its code page 1252 character, and one the
    // code page lacks (omega) is not typed. Ctrl with Alt is no shortcut.
    EXPECT_EQ(run("key a\nkey shift+a\nkey ctrl+h\nkey return\nkey ctrl+alt+q\n"
                  "type Hi! \xC3\xA9\xE2\x82\xAC\xCE\xA9.\n"),
              7);
    EXPECT_EQ(read("log"), "key 97\nkey 65\nkey 13\nkey 72\nkey 105\nkey 33\nkey 32\nkey 233\n"
                           "key 128\nkey 46\nquit\n");
}

TEST_F(Headless, KeysTypedIntoTheTextWindowReachTheProgram) {
    EXPECT_EQ(run("focus text\ntype ok\nfocus graphics\ntype k\n"), 7);
    EXPECT_EQ(read("log"), "key 111\nkey 107\nkey 107\nquit\n");
}

TEST_F(Headless, RunningOutOfActionsClosesTheWindow) {
    EXPECT_EQ(run("# nothing but a comment\n\n"), 7);
    EXPECT_EQ(read("log"), "quit\n");
}

TEST_F(Headless, ShotsAreTheSameForTheSameActions) {
    std::string actions = "wait 350\nclick 100 100\nshot a.png\ntextshot t.png\n";
    ASSERT_EQ(run(actions), 7);
    std::string first = read("a.png"), text = read("t.png");
    ASSERT_FALSE(first.empty());
    ASSERT_FALSE(text.empty());
    ASSERT_EQ(run(actions), 7);
    EXPECT_EQ(read("a.png"), first);
    EXPECT_EQ(read("t.png"), text);
}

TEST_F(Headless, ActionFileErrorsNameTheLineAndRunNothing) {
    struct Case {
        const char *actions;
        const char *message;
    } cases[] = {
        {"wait 10\njump 3\n", "line 2: unknown action 'jump'"},
        {"wait ten\n", "line 1: wait needs a number"},
        {"click 10\n", "line 1: click needs a client pixel"},
        {"\n\nkey ctrl+nothing\n", "line 3: key needs one combination"},
        {"focus elsewhere\n", "line 1: focus needs graphics or text"},
        {"shot\n", "line 1: shot needs one file name"},
        {"type caf\xE9\n", "line 1: type needs its text in UTF-8"},
        {"wait 1\nshot a.gif\n", "line 2: shot needs one file name ending in .png"},
        {"textshot png\n", "line 1: textshot needs one file name ending in .png"},
        {"gif run.png\n", "line 1: gif needs a file name ending in .gif, or end"},
        {"gif a.gif\ngif end\ntextgif end\n",
         "line 3: textgif end comes with no textgif before it"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(run(c.actions), 2) << c.actions;
        EXPECT_NE(read("errors").find(c.message), std::string::npos) << read("errors");
        EXPECT_EQ(read("log"), "") << c.actions;
    }
    std::string command = std::string(PROBE) + " " + path("missing") + " 2>/dev/null";
    EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 2);
}

// Actions that cannot be done are reported once each, with the file and line, and the run goes
// on: the program gets the other actions, and the exit status tells of the failure.
// A GIF that cannot be written fails when it begins or, when it is written, at its end.
TEST_F(Headless, ClicksOffTheWindowAndUnwritableShotsAndGifsFailTheRun) {
    std::filesystem::create_symlink("/dev/full", path("full.gif"));
    EXPECT_EQ(run("click 595 10\nclick 0 -21\nclick 594 480\nclick -1 0\nclick 10 481\n"
                  "shot nosuchdir/a.png\nshot b.PNG\ngif nosuchdir/c.gif\ngif full.gif\n"),
              2);
    std::string where = std::string(PROBE) + ": actions: ";
    std::string bounds =
        " is outside the client area and the menu bar (X 0 to 594, Y -20 to 480)\n";
    EXPECT_EQ(read("errors"), where + "line 1: click 595 10" + bounds + where +
                                  "line 2: click 0 -21" + bounds + where + "line 4: click -1 0" +
                                  bounds + where + "line 5: click 10 481" + bounds + where +
                                  "line 6: cannot write nosuchdir/a.png: No such file or "
                                  "directory\n" +
                                  where +
                                  "line 8: cannot write nosuchdir/c.gif: No such file or "
                                  "directory\n" +
                                  where +
                                  "line 9: cannot write full.gif: No space left on device\n");
    EXPECT_EQ(read("log"), "mouse 297 -240\nquit\n");
    EXPECT_FALSE(read("b.PNG").empty());
}

TEST_F(Headless, HelpPrintsTheUsageAndArgumentsAfterTwoDashesReachTheProgram) {
    EXPECT_EQ(run("", "--help"), 0);
    EXPECT_EQ(read("output").rfind(std::string("usage: ") + PROBE + " [--screen WxH]", 0), 0u)
        << read("output");
    EXPECT_EQ(read("log"), "");
    EXPECT_EQ(run("", "", "-- --log 'two words' -"), 7);
    EXPECT_EQ(read("log"), "command line --log two words -\nquit\n");
}

TEST_F(Headless, ScreenSizeSetsTheTextWindow) {
    ASSERT_EQ(run("textshot t.png\n", "--screen 1280x1200"), 7);
    std::string png = read("t.png");
    ASSERT_GE(png.size(), 24u);
    // The PNG header holds the width and height: 1280 - 8 by 400 - 41.
    auto be32 = [&](size_t at) {
        return (uint32_t(uint8_t(png[at])) << 24) | (uint32_t(uint8_t(png[at + 1])) << 16) |
               (uint32_t(uint8_t(png[at + 2])) << 8) | uint8_t(png[at + 3]);
    };
    EXPECT_EQ(be32(16), 1272u);
    EXPECT_EQ(be32(20), 359u);
}

// ---- GIFs ----------------------------------------------------------------------------------

// The probe never draws: its window presents nothing after the GIF begins.
TEST_F(Headless, GifOfAWindowThatShowsNothingNewIsOneFrameOfItAsItIs) {
    ASSERT_EQ(run("wait 200\ngif still.gif\nwait 500\nshot still.png\n"), 7);
    gif_test::Animation gif;
    std::string error;
    ASSERT_TRUE(gif_test::read_gif(path("still.gif"), gif, error)) << error;
    ASSERT_EQ(gif.frames.size(), 1u);
    EXPECT_EQ(gif.frames[0].delay, 50);
    std::vector<uint32_t> shot;
    int width = 0, height = 0;
    ASSERT_TRUE(platform::read_png(path("still.png"), shot, width, height, error)) << error;
    EXPECT_EQ(gif.frames[0].picture, shot);
}

// A gif while one is being written ends the first; a program that ends first ends them all.
TEST_F(Headless, GifsEndAtTheNextGifAtGifEndOrWithTheProgram) {
    ASSERT_EQ(run("gif a.gif\ntextgif t.gif\nwait 300\ngif b.gif\nwait 200\ngif end\n"
                  "wait 100\ngif c.gif\nwait 100\nclose\nwait 400\n"),
              7);
    EXPECT_EQ(read("errors"), "");
    const std::pair<const char *, int> lengths[] = {
        {"a.gif", 30}, {"b.gif", 20}, {"c.gif", 10}, {"t.gif", 70}};
    for (auto [name, hundredths] : lengths) {
        gif_test::Animation gif;
        std::string error;
        ASSERT_TRUE(gif_test::read_gif(path(name), gif, error)) << name << ": " << error;
        EXPECT_EQ(gif.total_delay(), hundredths) << name;
    }
}

} // namespace
