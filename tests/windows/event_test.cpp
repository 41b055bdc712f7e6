// The event wait on real messages: posted characters, clicks, menu commands, Ctrl keys, timer
// ticks and the quit message, and sleeping while nothing is due.
#include "package_fixture.h"

namespace {

class Events : public PackageFixture {
  protected:
    void SetUp() override {
        PackageFixture::SetUp();
        open();
        await_idle();
    }
};

// Process CPU time in milliseconds, user and kernel.
double cpu_milliseconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ticks = [](FILETIME t) { return (uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return double(ticks(kernel) + ticks(user)) / 10000.0;
}

// A thread timer that types one character into the graphics window and stops.
void CALLBACK type_later(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    PostMessageA(graphics_window, WM_CHAR, 'z', 0);
}

TEST_F(Events, PostedCharactersAndClicksAreEvents) {
    post(WM_CHAR, 'x', 0);
    Event event = await();
    EXPECT_EQ(event.kind, EVENT_KBD);
    EXPECT_EQ(event.key, 'x');
    EXPECT_EQ(event.x, 0);
    post(WM_CHAR, 233, 0);
    EXPECT_EQ(await().key, char(233));

    RECT client;
    GetClientRect(graphics_window, &client);
    EXPECT_EQ(origin_x, client.right / 2);
    EXPECT_EQ(origin_y, client.bottom / 2);
    click_client(0, 0);
    event = await();
    EXPECT_EQ(event.kind, EVENT_MOUSE);
    EXPECT_EQ(event.x, -origin_x);
    EXPECT_EQ(event.y, origin_y);
    EXPECT_EQ(event.key, 0);
    click_client(origin_x + 5, origin_y + 7);
    event = await();
    EXPECT_EQ(event.x, 5);
    EXPECT_EQ(event.y, -7);
}

TEST_F(Events, RunningGivesOneTickPerTimerPeriod) {
    gfx_animate(ANIMATE_RUN);
    DWORD started = GetTickCount();
    for (int i = 0; i < 5; i++) {
        Event event = await();
        EXPECT_EQ(event.kind, EVENT_PERIODIC);
        EXPECT_EQ(event.x, 0);
        EXPECT_EQ(event.key, 0);
    }
    // Five ticks of a 100 ms timer take 400 to 500 ms: the first may come early, the others
    // cannot; a wait that let every other tick go by unused would take about 900 ms.
    DWORD elapsed = GetTickCount() - started;
    EXPECT_GE(elapsed, 350u);
    EXPECT_LT(elapsed, 750u);
}

// With the window's own timer stopped, only posted tick messages pace the animation. The tick
// that is taken in the pass that decides a periodic event is used up by the decision: the wait
// ends at the next one.
TEST_F(Events, PostedTicksEndARunningWaitOnly) {
    KillTimer(graphics_window, ANIMATION_TIMER_ID);
    post(WM_TIMER, ANIMATION_TIMER_ID, 0);
    post(WM_CHAR, 'h', 0);
    EXPECT_EQ(await().kind, EVENT_KBD); // halted: the tick is no event

    gfx_animate(ANIMATE_RUN);
    post(WM_TIMER, ANIMATION_TIMER_ID, 0);
    post(WM_TIMER, ANIMATION_TIMER_ID, 0);
    EXPECT_EQ(await().kind, EVENT_PERIODIC);
    post(WM_TIMER, ANIMATION_TIMER_ID, 0);
    post(WM_CHAR, 'r', 0);
    Event event = await();
    EXPECT_EQ(event.kind, EVENT_KBD);
    EXPECT_EQ(event.key, 'r');
}

TEST_F(Events, HaltedWaitSleepsUntilInputArrives) {
    SetTimer(nullptr, 0, 700, type_later);
    double cpu_before = cpu_milliseconds();
    DWORD started = GetTickCount();
    Event event = await();
    EXPECT_EQ(event.kind, EVENT_KBD);
    EXPECT_EQ(event.key, 'z');
    EXPECT_GE(GetTickCount() - started, 600u);
    // Animation ticks wake the wait seven times meanwhile; a wait that polled would use the
    // whole 700 ms.
    EXPECT_LT(cpu_milliseconds() - cpu_before, 300.0);
}

TEST_F(Events, MenuCommandsSetTheAnimationMode) {
    command(CMD_ANIMATE);
    EXPECT_EQ(await().kind, EVENT_PERIODIC);
    command(CMD_HALT);
    post(WM_CHAR, 'k', 0);
    EXPECT_EQ(await().kind, EVENT_KBD);
    command(CMD_STEP);
    EXPECT_EQ(await().kind, EVENT_PERIODIC);
    post(WM_CHAR, 'k', 0);
    EXPECT_EQ(await().kind, EVENT_KBD);
    command(CMD_QUIT);
    EXPECT_EQ(await().kind, EVENT_QUIT);
}

// Key messages are posted in the order a typist makes them, each handled before the next comes,
// so that the characters TranslateMessage makes of them arrive in between, as they would.
TEST_F(Events, CtrlKeysRunCommandsAndTheirCharactersAreNoEvents) {
    post(WM_KEYDOWN, VK_CONTROL, 0);
    post(WM_KEYDOWN, 'A', 0);
    await_idle();
    EXPECT_EQ(pending_kind, EVENT_NONE);
    EXPECT_EQ(running, 1);
    post(WM_KEYUP, 'A', 0);
    post(WM_KEYUP, VK_CONTROL, 0);
    await_idle();
    EXPECT_EQ(ctrl_down, 0);
    EXPECT_EQ(await().kind, EVENT_PERIODIC);

    post(WM_KEYDOWN, VK_CONTROL, 0);
    post(WM_KEYDOWN, 'Q', 0);
    EXPECT_EQ(await().kind, EVENT_QUIT);
}

// The thread's key state as GetKeyState reports it: these keys down, all others up.
void hold_keys(std::initializer_list<int> keys) {
    BYTE state[256] = {};
    for (int key : keys) state[key] = 0x80;
    SetKeyboardState(state);
}

TEST_F(Events, CtrlWithAltIsAltGrWhoseCharactersAreEvents) {
    // AltGr+Q on a German keyboard: Windows reports left Ctrl and right Alt held, and the key
    // types "@".
    hold_keys({VK_CONTROL, VK_LCONTROL, VK_MENU, VK_RMENU});
    post(WM_KEYDOWN, VK_CONTROL, 0);
    post(WM_KEYDOWN, 'Q', 0);
    post(WM_CHAR, '@', 0);
    Event event = await();
    EXPECT_EQ(event.kind, EVENT_KBD);
    EXPECT_EQ(event.key, '@');
    hold_keys({VK_CONTROL, VK_LCONTROL});
    post(WM_KEYDOWN, 'Q', 0);
    EXPECT_EQ(await().kind, EVENT_QUIT);
}

TEST_F(Events, GainingTheFocusReadsCtrlAfresh) {
    hold_keys({});
    for (HWND window : {graphics_window, text_window}) {
        post(WM_KEYDOWN, VK_CONTROL, 0); // its key-up went to another program
        await_idle();
        EXPECT_EQ(ctrl_down, 1);
        SendMessageA(window, WM_SETFOCUS, 0, 0);
        EXPECT_EQ(ctrl_down, 0);
        post(WM_KEYDOWN, 'R', 0);
        post(WM_CHAR, 'r', 0);
        EXPECT_EQ(await().key, 'r');
        EXPECT_EQ(recording, 0);
    }
}

TEST_F(Events, RepeatedKeyDownsOfTheTogglesAreIgnored) {
    const LPARAM repeat = LPARAM(1) << 30;
    post(WM_KEYDOWN, VK_CONTROL, 0);
    post(WM_KEYDOWN, 'R', 0);
    post(WM_KEYDOWN, 'R', repeat);
    post(WM_KEYDOWN, 'L', 0);
    post(WM_KEYDOWN, 'L', repeat);
    post(WM_KEYDOWN, 'L', repeat);
    await_idle();
    EXPECT_EQ(recording, 1);
    EXPECT_EQ(logging_on, 0);
    // Advance one frame keeps stepping.
    post(WM_KEYDOWN, 'F', 0);
    EXPECT_EQ(await().kind, EVENT_PERIODIC);
    post(WM_KEYDOWN, 'F', repeat);
    EXPECT_EQ(await().kind, EVENT_PERIODIC);
}

TEST(Open, WithoutItsWindowsTheProgramSaysWhyAndEnds) {
    // A previous instance means the classes exist; here they do not, so no window can be made.
    char command_line[] = "";
    EXPECT_EXIT(gfx_open(GetModuleHandleA(nullptr), GetModuleHandleA(nullptr), command_line,
                         SW_SHOWNOACTIVATE),
                testing::ExitedWithCode(1),
                "gfx_open: cannot create the window \"KORVA Graphics\"");
}

TEST_F(Events, QuitMessageAndClosingTheWindowEndTheWait) {
    PostQuitMessage(0);
    EXPECT_EQ(await().kind, EVENT_QUIT);
    DestroyWindow(graphics_window);
    EXPECT_EQ(await().kind, EVENT_QUIT);
}

} // namespace
