// Scripts: recording events to KORVA.SCR and playing them back.
#include "package_test.h"

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class Scripts : public PackageTest {
  protected:
    void SetUp() override {
        PackageTest::SetUp();
        open();
        await_idle();
        take_log();
    }
    static void write_script(const std::string &text) { write_file("KORVA.SCR", text); }
    static std::string script() { return read_file("KORVA.SCR"); }
    // Time moves to each deadline while the program is idle; `action` runs once at `when`.
    void at(display::Time when, std::function<void()> action) {
        bool done = false;
        display->set_idle_handler([this, when, action, done](display::Time deadline) mutable {
            if (!done && display->now() >= when) {
                done = true;
                action();
                return;
            }
            display->advance((done ? deadline : std::min(deadline, when)) - display->now());
        });
    }
    // Starts playback and returns the events of the waits until it ends, the last one live.
    std::vector<Event> play(int waits) {
        command(CMD_PLAYBACK);
        std::vector<Event> events;
        for (int i = 0; i < waits; i++) events.push_back(await());
        return events;
    }
};

TEST_F(Scripts, RecordingFoldsTicksBeforeTheNextEvent) {
    gfx_animate(ANIMATE_RUN);
    run_command(CMD_RECORD);
    for (int i = 0; i < 3; i++) ASSERT_EQ(await().kind, EVENT_PERIODIC);
    EXPECT_EQ(script(), ""); // nothing written yet: the file is not even created
    at(display->now() + 30, [&] { click_client(0, 0); });
    ASSERT_EQ(await().kind, EVENT_MOUSE);
    EXPECT_EQ(repeat_count, 0);
    run_command(CMD_RECORD);
    EXPECT_EQ(script(), "KORVA_PERIODIC(3);\nKORVA_MOUSE(-297, 240);\n");
    EXPECT_FALSE(checked(CMD_RECORD));
}

TEST_F(Scripts, TicksAloneAreWrittenWhenRecordingEndsThenPlayBack) {
    gfx_animate(ANIMATE_RUN);
    run_command(CMD_RECORD);
    EXPECT_TRUE(checked(CMD_RECORD));
    for (int i = 0; i < 4; i++) ASSERT_EQ(await().kind, EVENT_PERIODIC);
    run_command(CMD_RECORD);
    EXPECT_EQ(script(), "KORVA_PERIODIC(4);\n");
    EXPECT_EQ(repeat_count, 0);
    EXPECT_EQ(script_file, nullptr);

    display::Time started = display->now();
    command(CMD_PLAYBACK);
    for (int i = 0; i < 4; i++) EXPECT_EQ(await().kind, EVENT_PERIODIC);
    // Playback does not wait for the timer.
    EXPECT_EQ(display->now(), started);
    at(display->now() + 500, [&] { click_client(1, 1); });
    EXPECT_EQ(await().kind, EVENT_MOUSE);
    EXPECT_EQ(take_log(), "EOF encountered in script file KORVA.SCR\n");
    EXPECT_FALSE(checked(CMD_PLAYBACK));
}

TEST_F(Scripts, KeysAreWrittenAsSignedBytesAndReadAsTheirLowEightBits) {
    run_command(CMD_RECORD);
    at(0, [&] { PostMessageA(graphics_window, WM_CHAR, 233, 0); });
    ASSERT_EQ(await().kind, EVENT_KBD);
    run_command(CMD_RECORD);
    EXPECT_EQ(script(), "KORVA_KBD(-23);\n");

    write_script("KORVA_KBD(-23);\nKORVA_KBD(97);\nKORVA_KBD(321);\n");
    std::vector<Event> events = play(3);
    EXPECT_EQ(events[0].kind, EVENT_KBD);
    EXPECT_EQ(static_cast<unsigned char>(events[0].key), 233);
    EXPECT_EQ(events[1].key, 'a');
    EXPECT_EQ(events[2].key, 65);
}

TEST_F(Scripts, NumbersAreFoundWhereverTheLineHasThem) {
    write_script("KORVA_MOUSE(12, -34);\n"
                 "KORVA_PERIODIC(-2);\n"
                 "XXXXXXMx7y-8\n"
                 "KORVA_MOUSE();\n"
                 "KORVA_MOUSE(99999999999999, -99999999999999);\n");
    std::vector<Event> events = play(6);
    EXPECT_EQ(events[0].kind, EVENT_MOUSE);
    EXPECT_EQ(events[0].x, 12);
    EXPECT_EQ(events[0].y, -34);
    EXPECT_EQ(events[1].kind, EVENT_PERIODIC);
    EXPECT_EQ(events[2].kind, EVENT_PERIODIC);
    EXPECT_EQ(events[3].kind, EVENT_MOUSE);
    EXPECT_EQ(events[3].x, 7);
    EXPECT_EQ(events[3].y, -8);
    // A missing number reads as 0; a number beyond 32 bits saturates.
    EXPECT_EQ(events[4].x, 0);
    EXPECT_EQ(events[4].y, 0);
    EXPECT_EQ(events[5].x, 2147483647);
    EXPECT_EQ(events[5].y, -2147483647 - 1);
    EXPECT_EQ(take_log(), "");
}

TEST_F(Scripts, PeriodicLinesStandForTheirCount) {
    write_script("KORVA_PERIODIC(3);\nKORVA_PERIODIC(0);\nKORVA_KBD(98);\n");
    std::vector<Event> events = play(5);
    for (int i = 0; i < 4; i++) EXPECT_EQ(events[size_t(i)].kind, EVENT_PERIODIC) << i;
    // A count of 0 plays like 1 and leaves no -1 behind.
    EXPECT_EQ(events[4].kind, EVENT_KBD);
    EXPECT_EQ(repeat_count, 0);
}

TEST_F(Scripts, EmptyLinesCarriageReturnsAndAnUnterminatedLastLine) {
    write_script("\nKORVA_KBD(97);\r\n\r\n\nKORVA_KBD(98);");
    std::vector<Event> events = play(2);
    EXPECT_EQ(events[0].key, 'a');
    EXPECT_EQ(events[1].key, 'b');
    at(display->now() + 100, [&] { click_client(0, 0); });
    EXPECT_EQ(await().kind, EVENT_MOUSE);
    EXPECT_EQ(take_log(), "EOF encountered in script file KORVA.SCR\n");
}

TEST_F(Scripts, ALastLineCutShortIsTheEndOfTheScript) {
    // What a recording cut by a full disk leaves: the click is not played at (-297, 24).
    for (const char *cut : {"KORVA_MOUSE(-297, 24", "KORVA_KBD(97)", "KORVA_P"}) {
        write_script(std::string("KORVA_KBD(98);\n") + cut);
        EXPECT_EQ(play(1)[0].key, 'b');
        at(display->now(), [&] { press_key('Z'); });
        EXPECT_EQ(await().key, 'z') << cut;
        EXPECT_EQ(take_log(), "EOF encountered in script file KORVA.SCR\n") << cut;
        EXPECT_FALSE(checked(CMD_PLAYBACK));
        close_script_file(); // the next script is read from its start
    }
}

TEST_F(Scripts, AMissingFileEndsPlaybackInTheSamePass) {
    gfx_animate(ANIMATE_RUN);
    command(CMD_PLAYBACK);
    at(0, [&] { PostMessageA(graphics_window, WM_CHAR, 'z', 0); });
    Event event = await();
    EXPECT_EQ(event.kind, EVENT_KBD);
    EXPECT_EQ(take_log(), "Cannot open script file KORVA.SCR for reading\n");
    EXPECT_FALSE(checked(CMD_PLAYBACK));
    EXPECT_EQ(playing_back, 0);
}

TEST_F(Scripts, AtTheEndPlayOneReportsItAgain) {
    write_script("KORVA_KBD(97);\n");
    play(1);
    at(display->now() + 100, [&] { press_key('X'); });
    await();
    EXPECT_EQ(take_log(), "EOF encountered in script file KORVA.SCR\n");
    command(CMD_PLAY_ONE);
    at(display->now() + 100, [&] { press_key('Y'); });
    EXPECT_EQ(await().key, 'y');
    EXPECT_EQ(take_log(), "EOF encountered in script file KORVA.SCR\n");
}

TEST_F(Scripts, EndingPlaybackByCommandStartsItAgainFromTheTop) {
    write_script("KORVA_KBD(97);\nKORVA_KBD(98);\nKORVA_PERIODIC(5);\nKORVA_KBD(99);\n");
    EXPECT_EQ(play(3)[2].kind, EVENT_PERIODIC);
    EXPECT_EQ(repeat_count, 4);
    command(CMD_PLAYBACK); // ends it
    at(display->now(), [&] { press_key('Z'); });
    EXPECT_EQ(await().key, 'z');
    EXPECT_EQ(repeat_count, 0);
    EXPECT_EQ(play(1)[0].key, 'a');
}

TEST_F(Scripts, AnUnknownLineStopsQuietlyAndPlaybackResumesAfterIt) {
    write_script("KORVA_KBD(97);\nKORVA_STOP();\nKORVA_KBD(98);\nshort\nKORVA_KBD(99);\n");
    EXPECT_EQ(play(1)[0].key, 'a');
    at(display->now(), [&] { press_key('Z'); });
    EXPECT_EQ(await().key, 'z');
    EXPECT_EQ(playing_back, 0);
    EXPECT_TRUE(checked(CMD_PLAYBACK));
    EXPECT_EQ(take_log(), "");
    // Playback Script is checked but off: choosing it starts it again, after the stop.
    EXPECT_EQ(play(1)[0].key, 'b');
    // A line too short to name an event stops playback the same way.
    at(display->now(), [&] { press_key('Z'); });
    EXPECT_EQ(await().key, 'z');
    command(CMD_PLAYBACK);
    EXPECT_EQ(await().key, 'c');
}

TEST_F(Scripts, LongLinesAreReadInPieces) {
    // 600 characters: the first 511 are one line (a keyboard event), the rest another.
    std::string line = "KORVA_KBD(65)" + std::string(498, ' ') + "KORVA_KBD(66)";
    line += std::string(600 - line.size(), ';') + "\n";
    write_script(line);
    std::vector<Event> events = play(2);
    EXPECT_EQ(events[0].key, 'A');
    EXPECT_EQ(events[1].kind, EVENT_KBD);
    EXPECT_EQ(events[1].key, 'B');
}

TEST_F(Scripts, AQuitDuringPlaybackIsNeverLost) {
    write_script("KORVA_KBD(97);\nKORVA_KBD(98);\n");
    command(CMD_PLAYBACK);
    EXPECT_EQ(await().key, 'a');
    await_idle();
    PostQuitMessage(0);
    EXPECT_EQ(await().kind, EVENT_QUIT);
}

TEST_F(Scripts, AUnwritableFileIsReportedAndRecordingGoesOn) {
    mkdir("KORVA.SCR", 0755);
    run_command(CMD_RECORD);
    at(0, [&] { click_client(3, 3); });
    EXPECT_EQ(await().kind, EVENT_MOUSE);
    EXPECT_EQ(take_log(), "Cannot open script file KORVA.SCR for writing\n");
    EXPECT_EQ(recording, 1);
    at(display->now(), [&] { click_client(3, 3); });
    await();
    EXPECT_EQ(take_log(), "Cannot open script file KORVA.SCR for writing\n");
}

TEST_F(Scripts, AfterAFailedWriteNothingMoreIsWritten) {
    // The file may grow to 30 bytes: the second line is cut by the failure, and when room comes
    // back nothing more goes after the fragment.
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit = {30, RLIM_INFINITY};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    run_command(CMD_RECORD);
    for (int x : {1, -297, 3}) {
        at(display->now(), [&] { click_client(297 + x, 240); });
        await();
        if (x != -297) continue;
        limit.rlim_cur = RLIM_INFINITY;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    }
    run_command(CMD_RECORD);
    EXPECT_EQ(script(), "KORVA_MOUSE(1, 0);\nKORVA_MOUSE");
    EXPECT_EQ(take_log(), "Cannot write script file KORVA.SCR\n");
    EXPECT_EQ(recording, 0);
    // A new recording is a new file, written whole.
    run_command(CMD_RECORD);
    at(display->now(), [&] { click_client(297, 240); });
    await();
    run_command(CMD_RECORD);
    EXPECT_EQ(script(), "KORVA_MOUSE(0, 0);\n");
}

TEST_F(Scripts, RecordIsRefusedWhileAScriptIsBeingPlayed) {
    const std::string text = "KORVA_PERIODIC(2);\nKORVA_KBD(97);\n";
    write_script(text);
    command(CMD_PLAYBACK);
    EXPECT_EQ(await().kind, EVENT_PERIODIC);
    run_command(CMD_RECORD);
    EXPECT_EQ(recording, 0);
    EXPECT_FALSE(checked(CMD_RECORD));
    EXPECT_EQ(take_log(), "Cannot record to script file KORVA.SCR while it is being played\n");
    EXPECT_EQ(await().kind, EVENT_PERIODIC);
    EXPECT_EQ(await().key, 'a');
    // The script has run out; live events after it are not recorded over it.
    at(display->now(), [&] { press_key('Z'); });
    EXPECT_EQ(await().key, 'z');
    at(display->now(), [&] { click_client(0, 0); });
    EXPECT_EQ(await().kind, EVENT_MOUSE);
    EXPECT_EQ(script(), text);
    EXPECT_EQ(take_log(), "EOF encountered in script file KORVA.SCR\n");
}

TEST_F(Scripts, ARecordingTakesOverTheStreamOfAFinishedPlayback) {
    write_script("KORVA_KBD(97);\n");
    play(1);
    at(display->now(), [&] { press_key('Z'); }); // meets the end of the script
    await();
    take_log();
    gfx_animate(ANIMATE_RUN);
    run_command(CMD_RECORD);
    await();
    await();
    run_command(CMD_RECORD);
    EXPECT_EQ(script(), "KORVA_PERIODIC(2);\n");
}

TEST_F(Scripts, PlayingWhileRecordingIsRefused) {
    write_script("KORVA_KBD(97);\n");
    // Before the recording has written anything, and after.
    run_command(CMD_RECORD);
    command(CMD_PLAYBACK);
    at(0, [&] { click_client(0, 0); });
    EXPECT_EQ(await().kind, EVENT_MOUSE);
    EXPECT_FALSE(checked(CMD_PLAYBACK));
    command(CMD_PLAY_ONE);
    at(display->now(), [&] { press_key('Z'); });
    EXPECT_EQ(await().key, 'z');
    EXPECT_EQ(take_log(), "Cannot play script file KORVA.SCR while it is being recorded\n"
                          "Cannot play script file KORVA.SCR while it is being recorded\n");
    run_command(CMD_RECORD);
    EXPECT_EQ(script(), "KORVA_MOUSE(-297, 240);\nKORVA_KBD(122);\n");
}

TEST_F(Scripts, OnlyAPlainFileIsOpenedAndNeverWaitedFor) {
    alarm(10); // an open of a FIFO would wait for a writer forever
    ASSERT_EQ(mkfifo("fifo", 0644), 0);
    ASSERT_EQ(mkdir("directory", 0755), 0);
    for (const char *target : {"fifo", "/dev/zero", "directory"}) {
        ASSERT_EQ(symlink(target, "KORVA.SCR"), 0);
        command(CMD_PLAYBACK);
        at(display->now(), [&] { press_key('Z'); });
        EXPECT_EQ(await().key, 'z');
        run_command(CMD_RECORD);
        at(display->now(), [&] { press_key('Y'); });
        EXPECT_EQ(await().key, 'y');
        run_command(CMD_RECORD);
        EXPECT_EQ(take_log(), "Cannot open script file KORVA.SCR for reading\n"
                              "Cannot open script file KORVA.SCR for writing\n")
            << target;
        unlink("KORVA.SCR");
    }
    // A link to a plain file is followed both ways.
    write_file("plain", "KORVA_KBD(97);\n");
    ASSERT_EQ(symlink("plain", "KORVA.SCR"), 0);
    EXPECT_EQ(play(1)[0].key, 'a');
    command(CMD_PLAYBACK);
    await_idle();
    run_command(CMD_RECORD);
    at(display->now(), [&] { press_key('B'); });
    await();
    run_command(CMD_RECORD);
    EXPECT_EQ(read_file("plain"), "KORVA_KBD(98);\n");
    alarm(0);
}

TEST_F(Scripts, QuitWhileRecordingFlushesTheTicksAndCloseEndsTheFile) {
    gfx_animate(ANIMATE_RUN);
    run_command(CMD_RECORD);
    await();
    await();
    PostQuitMessage(0);
    EXPECT_EQ(await().kind, EVENT_QUIT);
    gfx_close();
    EXPECT_EQ(script(), "KORVA_PERIODIC(2);\n");
}

// Ctrl+C in the terminal or `kill` (the display's quit request) quit as the Quit command does;
// the session ending without a quit (the X server gone) completes the recording at once.
TEST_F(Scripts, EndedFromOutsideARecordingKeepsItsTicks) {
    gfx_animate(ANIMATE_RUN);
    run_command(CMD_RECORD);
    for (int i = 0; i < 3; i++) await();
    SendMessageA(graphics_window, WM_ENDSESSION, TRUE, ENDSESSION_CRITICAL);
    EXPECT_EQ(script_file, nullptr);
    EXPECT_EQ(script(), "KORVA_PERIODIC(3);\n");

    run_command(CMD_RECORD);
    await();
    await();
    at(display->now() + 50, [&] { display->request_quit(); });
    EXPECT_EQ(await().kind, EVENT_QUIT);
    gfx_close();
    EXPECT_EQ(script(), "KORVA_PERIODIC(2);\n");
}

TEST_F(Scripts, ClosingTheGraphicsWindowEndsAPlayback) {
    std::string text;
    for (int i = 0; i < 50; i++) text += "KORVA_KBD(97);\n";
    write_script(text);
    command(CMD_PLAYBACK);
    EXPECT_EQ(await().key, 'a');
    display->close(graphics_id());
    int waits = 1;
    while (await().kind != EVENT_QUIT) ASSERT_LT(++waits, 5);
    EXPECT_FALSE(IsWindow(graphics_window));
}

TEST_F(Scripts, ClicksDuringPlaybackAreLost) {
    write_script("KORVA_KBD(97);\nKORVA_KBD(98);\n");
    command(CMD_PLAYBACK);
    EXPECT_EQ(await().key, 'a');
    click_client(10, 10);
    Event event = await();
    EXPECT_EQ(event.kind, EVENT_KBD);
    EXPECT_EQ(event.key, 'b');
}

} // namespace
