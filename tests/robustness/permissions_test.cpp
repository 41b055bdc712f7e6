// The script file where the program may not write: the demo, run by the headless runner as an
// unprivileged user (root may write anywhere), in a directory that user cannot write to.
// Recording reports that it cannot open the file, playback that there is none, and the demo
// goes on.
#include "demo_case.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <pwd.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string read_file(const fs::path &path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

class Permissions : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/korva-permissions-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        home_ = pattern;
        // The runner is copied where the user can reach it: the build tree may lie in a home
        // directory closed to others.
        fs::copy_file(RUNNER, home_ / "runner");
        fs::permissions(home_, fs::perms(0755));
        if (getuid() == 0) {
            const passwd *nobody = getpwnam("nobody");
            ASSERT_NE(nobody, nullptr);
            ASSERT_EQ(chown(home_.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
        }
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(home_ / "scripts", fs::perms::owner_all, ignored);
        fs::remove_all(home_, ignored);
    }

    // Runs the demo on `actions` in `directory` (inside the user's home), as nobody when root;
    // returns its exit status, with its log and errors kept in the home.
    int run_demo(const std::string &directory, const std::string &actions) {
        std::ofstream(home_ / "actions") << actions;
        fs::permissions(home_ / "actions", fs::perms(0644));
        std::string as_user =
            getuid() == 0 ? "setpriv --reuid=nobody --regid=nogroup --clear-groups " : "";
        std::string command = "cd '" + (home_ / directory).string() + "' && HOME='" +
                              home_.string() + "' " + as_user + "'" + (home_ / "runner").string() +
                              "' --screen 640x480 --log '" + (home_ / "log").string() + "' '" +
                              (home_ / "actions").string() + "' 2> '" +
                              (home_ / "errors").string() + "'";
        int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // A directory the user may read but not write, as the user made it.
    void make_read_only(const std::string &name) {
        ASSERT_TRUE(fs::create_directory(home_ / name));
        if (getuid() == 0) {
            const passwd *nobody = getpwnam("nobody");
            ASSERT_EQ(chown((home_ / name).c_str(), nobody->pw_uid, nobody->pw_gid), 0);
        }
        fs::permissions(home_ / name, fs::perms(0555));
    }

    fs::path home_;
};

TEST_F(Permissions, AScriptInAReadOnlyDirectory) {
    make_read_only("scripts");
    std::string actions = "key ctrl+r\n"
                          "wait 250\n"
                          "click 100 100\n" // the first event that is not a tick: open fails
                          "wait 300\n"
                          "key ctrl+r\n"   // the folded ticks try once more
                          "key ctrl+p\n"   // nothing to play
                          "key ctrl+a\n"   // playback halted the animation: run it again
                          "click 40 183\n" // Add Bug
                          "key ctrl+l\n"
                          "wait 500\n"
                          "key ctrl+l\n";
    ASSERT_EQ(run_demo("scripts", actions), 0) << read_file(home_ / "errors");
    std::string log = read_file(home_ / "log");
    const std::string cannot_write = "Cannot open script file KORVA.SCR for writing\n";
    const std::string cannot_read = "Cannot open script file KORVA.SCR for reading\n";
    EXPECT_EQ(log.substr(0, 3 * cannot_write.size() + cannot_read.size()),
              cannot_write + cannot_write + cannot_write + cannot_read);
    EXPECT_FALSE(fs::exists(home_ / "scripts" / "KORVA.SCR"));
    // After the failures the demo went on: five frames were logged, with the added bug.
    EXPECT_GE(frames_in(log), 5);
    EXPECT_NE(log.find("black text at (230,202), \"2\"\n"), std::string::npos);
}

TEST_F(Permissions, AReadOnlyScriptStillPlays) {
    make_read_only("scripts");
    fs::permissions(home_ / "scripts", fs::perms::owner_all);
    std::ofstream(home_ / "scripts" / "KORVA.SCR") << "KORVA_KBD(97);\nKORVA_PERIODIC(3);\n";
    fs::permissions(home_ / "scripts" / "KORVA.SCR", fs::perms(0444));
    fs::permissions(home_ / "scripts", fs::perms(0555));
    std::string actions = "key ctrl+l\nkey ctrl+p\n"
                          "key ctrl+r\nclick 0 0\nkey ctrl+r\n"; // recording over it fails
    ASSERT_EQ(run_demo("scripts", actions), 0) << read_file(home_ / "errors");
    std::string log = read_file(home_ / "log");
    EXPECT_EQ(frames_in(log), 4 + 1 + 1); // the script's four events, the click, the quit
    EXPECT_EQ(count_lines(log, "EOF encountered in script file KORVA.SCR\n"), 1);
    EXPECT_EQ(count_lines(log, "Cannot open script file KORVA.SCR for writing\n"), 1);
    EXPECT_EQ(read_file(home_ / "scripts" / "KORVA.SCR"), "KORVA_KBD(97);\nKORVA_PERIODIC(3);\n");
}

} // namespace
