// The script file failing under the running demo: a directory in its place, a full disk, the
// file deleted or cut short while it is being played. Each gives its log line or nothing, and
// the demo goes on animating, answering clicks, and ends normally.
#include "demo_case.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char CANNOT_WRITE[] = "Cannot open script file KORVA.SCR for writing\n";
const char CANNOT_READ[] = "Cannot open script file KORVA.SCR for reading\n";
const char WRITE_ERROR[] = "Cannot write script file KORVA.SCR\n";
const char END_OF_SCRIPT[] = "EOF encountered in script file KORVA.SCR\n";

// A script of `count` key events, each line padded to 40 bytes, so that it spans several of the
// stream's buffers.
void write_key_script(int count) {
    std::ofstream file("KORVA.SCR", std::ios::binary);
    for (int i = 0; i < count; i++) file << "KORVA_KBD(97);" << std::string(25, ' ') << "\n";
}

std::string read_file(const char *name) {
    std::ifstream file(name, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

class ScriptFileFaults : public DemoCase {
  protected:
    // After the fault: the animation runs again, a bug is added, logging shows the frames.
    void then_keeps_running(display::Time from, bool logging = false) {
        press(from, "ctrl+a");
        click(from + 10, ADD_BUG_X, ADD_BUG_Y);
        if (!logging) press(from + 20, "ctrl+l");
        at(from + 30, [this] { take_log(); });
        at(from + 530, [] {});
    }
    void expect_kept_running() {
        std::string after = take_log();
        EXPECT_GE(frames_in(after), 5);
        // The click added a second bug: the panel shows its number box.
        EXPECT_NE(after.find("black text at (230,202), \"2\"\n"), std::string::npos);
    }
};

TEST_F(ScriptFileFaults, ADirectoryInThePlaceOfTheScript) {
    ASSERT_EQ(mkdir("KORVA.SCR", 0755), 0);
    press(0, "ctrl+r");
    click(250, 0, 0); // the first event that is not a tick opens the file
    press(350, "ctrl+r");
    std::string recording, playing;
    at(360, [&] { recording = take_log(); });
    press(370, "ctrl+p");
    at(380, [&] { playing = take_log(); });
    then_keeps_running(400);
    run();
    // The click's line and the ticks folded before it each try the open once; so does the end.
    EXPECT_EQ(recording, std::string(CANNOT_WRITE) + CANNOT_WRITE + CANNOT_WRITE);
    // Nor is a directory opened for reading.
    EXPECT_EQ(playing, CANNOT_READ);
    EXPECT_TRUE(std::filesystem::is_directory("KORVA.SCR"));
    expect_kept_running();
}

TEST_F(ScriptFileFaults, AFullDisk) {
    // The disk fills up 100 bytes into the file, in the middle of a line, and has room again a
    // little later.
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit = {100, RLIM_INFINITY};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    press(0, "ctrl+r");
    for (int i = 0; i < 8; i++) click(100 + 50 * display::Time(i), 0, 0);
    at(300, [&] {
        limit.rlim_cur = RLIM_INFINITY;
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    press(600, "ctrl+r");
    std::string recording, playing, script;
    at(610, [&] {
        recording = take_log();
        script = read_file("KORVA.SCR");
    });
    // The whole lines play; the line the failure cut is where the script ends.
    press(620, "ctrl+p");
    at(630, [&] { playing = take_log(); });
    then_keeps_running(700);
    run();
    EXPECT_EQ(recording, WRITE_ERROR);
    // Nothing was written after the cut line.
    EXPECT_EQ(script.size(), 100u);
    EXPECT_NE(script.back(), '\n');
    EXPECT_EQ(playing, END_OF_SCRIPT);
    expect_kept_running();
}

TEST_F(ScriptFileFaults, TheScriptDeletedWhilePlaying) {
    const int LINES = 300;
    write_key_script(LINES);
    press(0, "ctrl+l");
    press(10, "ctrl+p");
    int polls = 0;
    display->on_poll = [&] {
        if (++polls == 50) unlink("KORVA.SCR");
    };
    std::string played;
    at(20, [&] { played = take_log(); });
    // The stream keeps the deleted file: it stays at its end until playback is ended by
    // command; then the file is gone.
    press(30, "ctrl+p");
    std::string again = "";
    at(40, [&] { again = take_log(); });
    then_keeps_running(100, true);
    run();
    EXPECT_GT(polls, 50);
    EXPECT_EQ(frames_in(played), LINES);
    EXPECT_EQ(count_lines(played, END_OF_SCRIPT), 1);
    EXPECT_EQ(count_lines(again, END_OF_SCRIPT), 1);
    expect_kept_running();
}

TEST_F(ScriptFileFaults, AfterDeletionAFreshPlaybackFindsNoFile) {
    write_key_script(100);
    press(0, "ctrl+p");
    // The user ends playback while it runs, which closes the stream.
    int polls = 0;
    display->on_poll = [&] {
        if (++polls == 20) harness::press_keys(*display, "ctrl+p");
    };
    at(20, [] { unlink("KORVA.SCR"); });
    press(30, "ctrl+p");
    std::string log;
    bool still_checked = true;
    at(40, [&] {
        log = take_log();
        still_checked = checked(CMD_PLAYBACK);
    });
    then_keeps_running(100);
    run();
    EXPECT_EQ(log, CANNOT_READ);
    EXPECT_FALSE(still_checked);
    expect_kept_running();
}

TEST_F(ScriptFileFaults, TheScriptCutShortWhilePlaying) {
    const int LINES = 300;
    write_key_script(LINES);
    press(0, "ctrl+l");
    press(10, "ctrl+p");
    int polls = 0;
    // Cut in the middle of a line, well before where the reading stands by then.
    display->on_poll = [&] {
        if (++polls == 150) {
            ASSERT_EQ(truncate("KORVA.SCR", 20), 0);
        }
    };
    std::string played;
    at(20, [&] { played = take_log(); });
    then_keeps_running(100, true);
    run();
    int frames = frames_in(played);
    EXPECT_GE(frames, 100);
    EXPECT_LT(frames, LINES);
    EXPECT_EQ(count_lines(played, END_OF_SCRIPT), 1);
    expect_kept_running();
}

TEST_F(ScriptFileFaults, TheScriptCutToAHalfLineAhead) {
    write_key_script(300);
    press(0, "ctrl+l");
    press(10, "ctrl+p");
    int polls = 0;
    // The reading stands in the first few kilobytes; the file now ends 5000 bytes in, in the
    // middle of a line: the lines before it play, the cut one does not.
    display->on_poll = [&] {
        if (++polls == 20) {
            ASSERT_EQ(truncate("KORVA.SCR", 5000 + 12), 0);
        }
    };
    std::string played;
    at(20, [&] { played = take_log(); });
    then_keeps_running(100, true);
    run();
    EXPECT_EQ(frames_in(played), 5000 / 40);
    EXPECT_EQ(count_lines(played, END_OF_SCRIPT), 1);
    expect_kept_running();
}

} // namespace
