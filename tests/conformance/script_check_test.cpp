// The script check: a script recorded by the package plays back as the fixed events, and a
// script with other line ends or other events is caught.
#include "tools/conformance/script_check.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

class ScriptCheck : public ::testing::Test {
  protected:
    void SetUp() override {
        home_ = std::filesystem::current_path();
        directory_ = std::filesystem::temp_directory_path() /
                     ("korva-script-check-" +
                      std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(directory_);
    }
    void TearDown() override {
        std::filesystem::current_path(home_);
        std::filesystem::remove_all(directory_);
    }
    std::string script() {
        std::ifstream file(directory_ / "KORVA.SCR", std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
    void rewrite(const std::string &text) {
        std::ofstream file(directory_ / "KORVA.SCR", std::ios::binary);
        file << text;
    }
    std::filesystem::path home_, directory_;
};

TEST_F(ScriptCheck, RecordedEventsPlayBackWithEitherLineEnd) {
    std::string error;
    ASSERT_TRUE(record_script(directory_.string(), error)) << error;
    std::string lines = script();
    EXPECT_EQ(lines, "KORVA_PERIODIC(3);\nKORVA_MOUSE(-297, 240);\nKORVA_KBD(97);\n"
                     "KORVA_KBD(-23);\nKORVA_PERIODIC(1);\nKORVA_MOUSE(12, -34);\nKORVA_KBD(90);\n"
                     "KORVA_PERIODIC(2);\n");
    EXPECT_TRUE(play_script(directory_.string(), "lf", error)) << error;
    EXPECT_FALSE(play_script(directory_.string(), "crlf", error));
    EXPECT_NE(error.find("line ends"), std::string::npos);

    std::string crlf;
    for (char c : lines) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    rewrite(crlf);
    EXPECT_TRUE(play_script(directory_.string(), "crlf", error)) << error;
}

TEST_F(ScriptCheck, OtherEventsAreCaught) {
    std::string error;
    ASSERT_TRUE(record_script(directory_.string(), error)) << error;
    std::string lines = script();
    rewrite(lines.replace(lines.find("KORVA_KBD(97)"), 13, "KORVA_KBD(98)"));
    EXPECT_FALSE(play_script(directory_.string(), "lf", error));
    EXPECT_NE(error.find("event 4"), std::string::npos) << error;
    rewrite(lines.substr(0, lines.rfind("KORVA_PERIODIC")));
    EXPECT_FALSE(play_script(directory_.string(), "lf", error));
}

} // namespace
