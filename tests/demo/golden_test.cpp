// The demo end to end: the headless runner plays a fixed set of actions, and the frames and the
// log it writes must match the ones kept in tests/demo/golden/ (`make golden` remakes them).
#include "platform/png_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string read_file(const std::string &path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

class Golden : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        char pattern[] = "/tmp/korva-golden-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        output = pattern;
        std::string command = "cd " + output + " && " + std::string(RUNNER) + " --log log.txt " +
                              GOLDEN_DIR + "/demo.actions";
        status = std::system(command.c_str());
    }
    static void TearDownTestSuite() { std::filesystem::remove_all(output); }

    // Compares a shot with the kept one pixel by pixel; on a difference, reports how many pixels
    // differ and the first of them.
    static void expect_same_image(const std::string &name) {
        std::vector<uint32_t> got, want;
        int gw = 0, gh = 0, ww = 0, wh = 0;
        std::string error;
        ASSERT_TRUE(platform::read_png(output + "/" + name, got, gw, gh, error)) << error;
        ASSERT_TRUE(platform::read_png(std::string(GOLDEN_DIR) + "/" + name, want, ww, wh, error))
            << error;
        ASSERT_EQ(gw, ww);
        ASSERT_EQ(gh, wh);
        size_t differing = 0, first = 0;
        for (size_t i = 0; i < got.size(); i++)
            if (got[i] != want[i] && differing++ == 0) first = i;
        EXPECT_EQ(differing, 0u) << name << ": first difference at (" << first % size_t(gw) << ", "
                                 << first / size_t(gw) << ")";
    }

    static std::string output;
    static int status;
};

std::string Golden::output;
int Golden::status = -1;

TEST_F(Golden, RunEndsNormally) {
    EXPECT_EQ(status, 0);
}
TEST_F(Golden, FirstFrame) {
    expect_same_image("first-frame.png");
}
TEST_F(Golden, AddedBugsNewColourAndHopping) {
    expect_same_image("bugs.png");
}
TEST_F(Golden, FrameOfAnOddCycle) {
    expect_same_image("odd-cycle.png");
}
TEST_F(Golden, LogWindow) {
    expect_same_image("log-window.png");
}
TEST_F(Golden, DrawingCallLog) {
    EXPECT_EQ(read_file(output + "/log.txt"), read_file(std::string(GOLDEN_DIR) + "/log.txt"));
}

} // namespace
