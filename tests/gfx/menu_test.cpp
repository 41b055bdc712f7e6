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
    EXPECT_FALSE(IsWindowVisible(text_window));
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

TEST_F(RunMenu, CtrlReleasedInAnotherProgramIsUpWhenEitherWindowGetsTheFocusBack) {
    for (int window : {text_id(), graphics_id()}) {
        keys([&] {
            key_down(VK_CONTROL);
            display->focus_elsewhere();
            display->key_elsewhere(VK_CONTROL, scan_code_of(VK_CONTROL), false);
            display->focus(window);
        });
        EXPECT_EQ(ctrl_down, 0);
        // Plain letters again: R arms no recording, Q is a character, not Quit.
        keys([&] { press_key('R'); });
        EXPECT_EQ(recording, 0);
        press_key('Q');
        Event event = await();
        EXPECT_EQ(event.kind, EVENT_KBD);
        EXPECT_EQ(event.key, 'q');
    }
    // Held when the focus comes back, Ctrl is down.
    keys([&] {
        display->focus_elsewhere();
        display->key_elsewhere(VK_CONTROL, scan_code_of(VK_CONTROL), true);
        display->focus(graphics_id());
    });
    EXPECT_EQ(ctrl_down, 1);
}

TEST_F(RunMenu, HeldDownTheTogglesActOnceWhileStepAndPlayOneRepeat) {
    write_file("KORVA.SCR", "KORVA_KBD(97);\nKORVA_KBD(98);\nKORVA_KBD(99);\n");
    auto hold = [&](int letter, int repeats) {
        keys([&] {
            key_down(VK_CONTROL);
            display->key_down(letter, scan_code_of(letter));
            for (int i = 0; i < repeats; i++) display->key_down(letter, scan_code_of(letter), true);
            key_up(letter);
            key_up(VK_CONTROL);
        });
    };
    hold('R', 3);
    EXPECT_EQ(recording, 1);
    EXPECT_TRUE(checked(CMD_RECORD));
    hold('R', 2);
    EXPECT_EQ(recording, 0);
    hold('L', 4);
    EXPECT_EQ(logging_on, 0);
    EXPECT_FALSE(checked(CMD_LOGGING));
    // Each repeat of Ctrl+F asks for a frame; a wait ends at each.
    key_down(VK_CONTROL);
    display->key_down('F', scan_code_of('F'));
    EXPECT_EQ(await().kind, EVENT_PERIODIC);
    display->key_down('F', scan_code_of('F'), true);
    EXPECT_EQ(await().kind, EVENT_PERIODIC);
    // Ctrl+O and its repeats play the script's events one by one.
    display->key_down('O', scan_code_of('O'));
    EXPECT_EQ(await().key, 'a');
    display->key_down('O', scan_code_of('O'), true);
    EXPECT_EQ(await().key, 'b');
    key_up('O');
    key_up(VK_CONTROL);
    // Held Ctrl+P starts playback once, which plays the rest.
    hold('P', 3);
    EXPECT_EQ(playing_back, 1);
    EXPECT_EQ(await().key, 'c');
}

TEST_F(RunMenu, CtrlWithAltIsAltGrAndNoShortcut) {
    // AltGr, as Windows reports it: left Ctrl, then right Alt. On this keyboard (US) AltGr types
    // nothing, so the keys do nothing at all.
    keys([&] {
        key_down(VK_CONTROL);
        display->key_down(VK_MENU, 0x138);
        press_key('Q');
        press_key('A');
        press_key('R');
        display->key_up(VK_MENU, 0x138);
        key_up(VK_CONTROL);
    });
    MSG message;
    EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    EXPECT_EQ(pending_kind, EVENT_NONE);
    EXPECT_EQ(running, 0);
    EXPECT_EQ(recording, 0);
    // Ctrl alone works as before.
    ctrl('A');
    EXPECT_EQ(running, 1);
}

TEST_F(RunMenu, CommandsOutsideTheTableChangeNothing) {
    // Running with a step due: an id taken for Halt, Step, Playback or Play One would clear a
    // flag, one taken for Quit would post the quit request.
    gfx_animate(ANIMATE_RUN);
    gfx_animate(ANIMATE_STEP);
    for (WPARAM id : {WPARAM(0), WPARAM(CMD_INFO), WPARAM(100), WPARAM(0x10001)}) {
        command(id);
        EXPECT_EQ(running, 1);
        EXPECT_EQ(single_step, 1);
        EXPECT_EQ(logging_on, 1);
        EXPECT_EQ(recording, 0);
        EXPECT_EQ(playing_back, 0);
        EXPECT_EQ(play_one, 0);
        MSG message;
        EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
        EXPECT_NE(pending_kind, EVENT_QUIT);
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
