// Scripts on Windows: KORVA.SCR is written with the platform's line end (CR LF) and read back,
// and a script written with bare newlines (as on Linux) plays the same events.
#include "package_fixture.h"

#include <string>
#include <vector>

namespace {

class Scripts : public PackageFixture {
  protected:
    void SetUp() override {
        PackageFixture::SetUp();
        open();
        await_idle();
        take_log();
    }
    // Starts playback and returns the events of that many waits.
    std::vector<Event> play(int waits) {
        command(CMD_PLAYBACK);
        std::vector<Event> events;
        for (int i = 0; i < waits; i++) events.push_back(await());
        return events;
    }
    // Plays a script of two ticks, a click, an empty line and two keys, its lines ended by
    // `end`, and then types 'e': the events of the six waits.
    std::vector<Event> play_script(const std::string &end) {
        write_file("KORVA.SCR", "KORVA_PERIODIC(2);" + end + "KORVA_MOUSE(12, -34);" + end + end +
                                    "KORVA_KBD(-23);" + end + "KORVA_KBD(97);" + end);
        std::vector<Event> events = play(5);
        post(WM_CHAR, 'e', 0);
        events.push_back(await());
        return events;
    }
    // Every wait ends with the script's next event; a key typed after the script has run out
    // ends the last one.
    void expect_played(const std::vector<Event> &events) {
        ASSERT_EQ(events.size(), 6u);
        EXPECT_EQ(events[0].kind, EVENT_PERIODIC);
        EXPECT_EQ(events[1].kind, EVENT_PERIODIC);
        EXPECT_EQ(events[2].kind, EVENT_MOUSE);
        EXPECT_EQ(events[2].x, 12);
        EXPECT_EQ(events[2].y, -34);
        EXPECT_EQ(events[3].kind, EVENT_KBD);
        EXPECT_EQ(events[3].key, char(233));
        EXPECT_EQ(events[4].kind, EVENT_KBD);
        EXPECT_EQ(events[4].key, 'a');
        EXPECT_EQ(events[5].kind, EVENT_KBD);
        EXPECT_EQ(events[5].key, 'e');
        EXPECT_EQ(take_log(), "EOF encountered in script file KORVA.SCR\n");
        EXPECT_FALSE(checked(CMD_PLAYBACK));
    }
};

TEST_F(Scripts, RecordingWritesWindowsLineEnds) {
    gfx_animate(ANIMATE_RUN);
    command(CMD_RECORD);
    for (int i = 0; i < 3; i++) ASSERT_EQ(await().kind, EVENT_PERIODIC);
    EXPECT_TRUE(checked(CMD_RECORD));
    click_client(0, 0);
    ASSERT_EQ(await().kind, EVENT_MOUSE);
    post(WM_CHAR, 233, 0);
    ASSERT_EQ(await().kind, EVENT_KBD);
    command(CMD_RECORD);
    await_idle();
    EXPECT_FALSE(checked(CMD_RECORD));
    EXPECT_EQ(read_file("KORVA.SCR"), "KORVA_PERIODIC(3);\r\nKORVA_MOUSE(" +
                                          std::to_string(-origin_x) + ", " +
                                          std::to_string(origin_y) + ");\r\nKORVA_KBD(-23);\r\n");
}

TEST_F(Scripts, ScriptsWithBareNewlinesPlayBack) {
    expect_played(play_script("\n"));
}

TEST_F(Scripts, ScriptsWithWindowsLineEndsPlayBack) {
    expect_played(play_script("\r\n"));
}

TEST_F(Scripts, AMissingScriptIsReportedAndLiveInputGoesOn) {
    command(CMD_PLAYBACK);
    post(WM_CHAR, 'q', 0);
    Event event = await();
    EXPECT_EQ(event.kind, EVENT_KBD);
    EXPECT_EQ(take_log(), "Cannot open script file KORVA.SCR for reading\n");
    EXPECT_FALSE(checked(CMD_PLAYBACK));
}

TEST_F(Scripts, RecordedScriptPlaysBackInTheSameProcess) {
    command(CMD_RECORD);
    post(WM_CHAR, 'r', 0);
    ASSERT_EQ(await().kind, EVENT_KBD);
    click_client(origin_x + 3, origin_y - 4);
    ASSERT_EQ(await().kind, EVENT_MOUSE);
    command(CMD_RECORD);
    await_idle();

    command(CMD_PLAYBACK);
    Event first = await();
    Event second = await();
    EXPECT_EQ(first.kind, EVENT_KBD);
    EXPECT_EQ(first.key, 'r');
    EXPECT_EQ(second.kind, EVENT_MOUSE);
    EXPECT_EQ(second.x, 3);
    EXPECT_EQ(second.y, 4);
}

TEST_F(Scripts, RecordIsRefusedDuringPlaybackAndTheScriptStays) {
    const std::string text = "KORVA_KBD(97);\nKORVA_KBD(98);\n";
    write_file("KORVA.SCR", text);
    command(CMD_PLAYBACK);
    EXPECT_EQ(await().key, 'a');
    command(CMD_RECORD);
    EXPECT_EQ(await().key, 'b');
    EXPECT_FALSE(checked(CMD_RECORD));
    post(WM_CHAR, 'z', 0);
    EXPECT_EQ(await().key, 'z');
    EXPECT_EQ(take_log(), "Cannot record to script file KORVA.SCR while it is being played\n"
                          "EOF encountered in script file KORVA.SCR\n");
    EXPECT_EQ(read_file("KORVA.SCR"), text);
}

TEST_F(Scripts, ALastLineCutShortIsNotPlayed) {
    write_file("KORVA.SCR", "KORVA_KBD(97);\r\nKORVA_MOUSE(-297, 24");
    EXPECT_EQ(play(1)[0].key, 'a');
    post(WM_CHAR, 'z', 0);
    Event event = await();
    EXPECT_EQ(event.kind, EVENT_KBD);
    EXPECT_EQ(event.key, 'z');
    EXPECT_EQ(take_log(), "EOF encountered in script file KORVA.SCR\n");
}

TEST_F(Scripts, TheEndOfTheSessionCompletesARecording) {
    gfx_animate(ANIMATE_RUN);
    command(CMD_RECORD);
    for (int i = 0; i < 2; i++) ASSERT_EQ(await().kind, EVENT_PERIODIC);
    SendMessageA(graphics_window, WM_ENDSESSION, TRUE, ENDSESSION_CRITICAL);
    EXPECT_EQ(script_file, nullptr);
    EXPECT_EQ(read_file("KORVA.SCR"), "KORVA_PERIODIC(2);\r\n");
}

TEST_F(Scripts, ClosingTheGraphicsWindowEndsAPlayback) {
    std::string text;
    for (int i = 0; i < 50; i++) text += "KORVA_KBD(97);\n";
    write_file("KORVA.SCR", text);
    command(CMD_PLAYBACK);
    EXPECT_EQ(await().key, 'a');
    post(WM_CLOSE, 0, 0); // the close box
    int waits = 1;
    while (await().kind != EVENT_QUIT) ASSERT_LT(++waits, 5);
    EXPECT_FALSE(IsWindow(graphics_window));
}

} // namespace
