// The Run menu: its entries, its commands, and the Ctrl-key shortcuts.
#include "package_test.h"

#include <functional>

namespace {

class RunMenu : public PackageTest {
  protected:
    void SetUp() override {
        PackageTest::SetUp();
        open();
        await_idle();
    }
    // Sends the keys, then handles every message they cause.
    void keys(std::function<void()> send) {
        send();
        await_idle();
    }
    void ctrl(int letter) {
        keys([&] {
            key_down(VK_CONTROL);
            press_key(letter);
            key_up(VK_CONTROL);
        });
    }
    void command(WPARAM id) {
        PackageTest::command(id);
        await_idle();
    }
};

TEST_F(RunMenu, HoldsTheEntriesWithLoggingChecked) {
    EXPECT_NE(GetMenu(graphics_window), nullptr);
    for (UINT id = CMD_ANIMATE; id <= CMD_QUIT; id++)
        EXPECT_NE(GetMenuState(run_menu, id, MF_BYCOMMAND), UINT(-1)) << id;
    EXPECT_TRUE(checked(CMD_LOGGING));
    EXPECT_FALSE(checked(CMD_RECORD));
    EXPECT_EQ(GetMenuState(run_menu, CMD_INFO, MF_BYCOMMAND) & MF_GRAYED, UINT(MF_GRAYED));
}

TEST_F(RunMenu, CtrlLettersRunCommandsInEitherCase) {
    ctrl('A');
    EXPECT_EQ(running, 1);
    ctrl('H');
    EXPECT_EQ(running, 0);
    // With Shift held the key is the same letter key: Ctrl+Shift+A animates too.
    keys([&] {
        key_down(VK_CONTROL);
        key_down(VK_SHIFT);
        press_key('A');
        key_up(VK_SHIFT);
        key_up(VK_CONTROL);
    });
    EXPECT_EQ(running, 1);
    ctrl('F');
    EXPECT_EQ(running, 0);
    EXPECT_EQ(single_step, 1);
    // Without Ctrl the letter is no command.
    gfx_animate(ANIMATE_HALT);
    keys([&] { press_key('A'); });
    EXPECT_EQ(running, 0);
}

TEST_F(RunMenu, LoggingTogglesWithItsCheckMarkButNeverShowsTheWindow) {
    show_text_window(0);
    ctrl('L');
    EXPECT_EQ(logging_on, 0);
    EXPECT_FALSE(checked(CMD_LOGGING));
    ctrl('L');
    EXPECT_EQ(logging_on, 1);
    EXPECT_TRUE(checked(CMD_LOGGING));
    command(CMD_LOGGING);
    EXPECT_EQ(logging_on, 0);
    EXPECT_FALSE(IsWindowVisible(text_window));
}

TEST_F(RunMenu, KeypadAndFunctionKeysAreNoShortcuts) {
    // Their codes equal lower-case letters: keypad 1 is 'a', F2 is 'q'.
    ctrl(VK_NUMPAD1);
    EXPECT_EQ(running, 0);
    ctrl(VK_F2);
    MSG message;
    EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    EXPECT_EQ(pending_kind, EVENT_NONE);
}

TEST_F(RunMenu, AStuckCtrlTurnsLettersIntoCommandsUntilItsRelease) {
    keys([&] { key_down(VK_CONTROL); });
    // The release happens while neither window has the focus: nobody sees it.
    ctrl_down = 1;
    keys([&] { press_key('A'); });
    EXPECT_EQ(running, 1);
    keys([&] { key_up(VK_CONTROL); });
    EXPECT_EQ(ctrl_down, 0);
}

TEST_F(RunMenu, AutoRepeatTogglesOncePerRepeat) {
    keys([&] {
        key_down(VK_CONTROL);
        display->key_down('R', scan_code_of('R'));
        display->key_down('R', scan_code_of('R'), true);
        display->key_down('R', scan_code_of('R'), true);
        key_up('R');
        key_up(VK_CONTROL);
    });
    EXPECT_EQ(recording, 1);
    EXPECT_TRUE(checked(CMD_RECORD));
}

TEST_F(RunMenu, CommandsOutsideTheTableChangeNothing) {
    for (WPARAM id : {WPARAM(0), WPARAM(CMD_INFO), WPARAM(100), WPARAM(0x10001)}) {
        command(id);
        EXPECT_EQ(running, 0);
        EXPECT_EQ(single_step, 0);
        EXPECT_EQ(logging_on, 1);
        EXPECT_EQ(recording, 0);
        EXPECT_EQ(playing_back, 0);
        EXPECT_EQ(play_one, 0);
    }
}

TEST_F(RunMenu, PlaybackAndPlayOneHaltTheAnimation) {
    gfx_animate(ANIMATE_RUN);
    gfx_animate(ANIMATE_STEP);
    run_command(CMD_PLAYBACK);
    EXPECT_EQ(running, 0);
    EXPECT_EQ(single_step, 0);
    EXPECT_EQ(playing_back, 1);
    EXPECT_TRUE(checked(CMD_PLAYBACK));
    play_one = 1;
    run_command(CMD_PLAYBACK);
    EXPECT_EQ(playing_back, 0);
    EXPECT_FALSE(checked(CMD_PLAYBACK));
    EXPECT_EQ(play_one, 1);

    gfx_animate(ANIMATE_RUN);
    run_command(CMD_PLAY_ONE);
    EXPECT_EQ(play_one, 1);
    EXPECT_EQ(running, 0);
}

TEST_F(RunMenu, QuitPostsTheQuitRequestWithoutDestroying) {
    ctrl('Q');
    EXPECT_EQ(pending_kind, EVENT_QUIT);
    EXPECT_TRUE(IsWindow(graphics_window));
}

} // namespace
