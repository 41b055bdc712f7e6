// Scripts on Windows: KORVA.SCR is written with the platform's line end (CR LF) and read back,
// and a script written with bare newlines (as on Linux) plays the same events.
#include "windows_package_test.h"

#include <string>
#include <vector>

namespace {

class Scripts : public WindowsPackageTest {
  protected:
    void SetUp() override {
        WindowsPackageTest::SetUp();
        open();
        await_idle();
        take_log();
    }
    bool checked(UINT id) { return (GetMenuState(run_menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0; }
    // Starts playback and returns the events of that many waits.
    std::vector<Event> play(int waits) {
        command(CMD_PLAYBACK);
        std::vector<Event> events;
        for (int i = 0; i < waits; i++) events.push_back(await());
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
    write_file("KORVA.SCR", "KORVA_PERIODIC(2);\nKORVA_MOUSE(12, -34);\n\nKORVA_KBD(-23);\n"
                            "KORVA_KBD(97);\n");
    std::vector<Event> events = play(5);
    post(WM_CHAR, 'e', 0);
    events.push_back(await());
    expect_played(events);
}

TEST_F(Scripts, ScriptsWithWindowsLineEndsPlayBack) {
    write_file("KORVA.SCR", "KORVA_PERIODIC(2);\r\nKORVA_MOUSE(12, -34);\r\n\r\n"
                            "KORVA_KBD(-23);\r\nKORVA_KBD(97);\r\n");
    std::vector<Event> events = play(5);
    post(WM_CHAR, 'e', 0);
    events.push_back(await());
    expect_played(events);
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

} // namespace
