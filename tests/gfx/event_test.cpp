// The event wait: clicks, characters, ticks and quit, the animation modes, and sleeping.
#include "package_test.h"
#include "platform/display/sdl/x11/xkb_layout.h"

#include <functional>

namespace {

class Events : public PackageTest {
  protected:
    void SetUp() override {
        PackageTest::SetUp();
        open();
    }
    // When the program is idle, time moves to its next deadline; once the clock reaches `when`,
    // `action` feeds the input, once.
    void at(display::Time when, std::function<void()> action) {
        bool done = false;
        display->set_idle_handler([this, when, action, done](display::Time deadline) mutable {
            if (!done && display->now() >= when) {
                done = true;
                action();
                return;
            }
            display::Time next = done ? deadline : std::min(deadline, when);
            ASSERT_NE(next, display::NEVER) << "the program waits for nothing";
            display->advance(next - display->now());
        });
    }
};

TEST_F(Events, HaltedWaitEndsOnlyOnInputAndSleepsMeanwhile) {
    at(10000, [&] { click_client(297, 240); });
    int polls_before = display->poll_count();
    Event event = await();
    EXPECT_EQ(event.kind, EVENT_MOUSE);
    EXPECT_EQ(display->now(), 10000u);
    // Ten seconds of ticks wake the wait about a hundred times; it must not spin between them.
    int polls = display->poll_count() - polls_before;
    EXPECT_LT(polls, 500) << "the idle wait polled " << polls << " times in 10 s";
}

TEST_F(Events, RunningGivesOnePeriodicEventPerTick) {
    gfx_animate(ANIMATE_RUN);
    Event event = await();
    EXPECT_EQ(event.kind, EVENT_PERIODIC);
    EXPECT_EQ(event.x, 0);
    EXPECT_EQ(event.y, 0);
    EXPECT_EQ(event.key, 0);
    EXPECT_EQ(display->now(), 100u);
    // A tick that arrived before the wait decided its periodic event does not count.
    display->advance(150);
    EXPECT_EQ(await().kind, EVENT_PERIODIC);
    EXPECT_EQ(display->now(), 300u);
    EXPECT_EQ(await().kind, EVENT_PERIODIC);
    EXPECT_EQ(display->now(), 400u);
}

TEST_F(Events, StepGivesExactlyOneTickThenWaitsForInput) {
    gfx_animate(ANIMATE_STEP);
    EXPECT_EQ(await().kind, EVENT_PERIODIC);
    EXPECT_EQ(display->now(), 100u);
    at(5000, [&] { press_key('K'); });
    Event event = await();
    EXPECT_EQ(event.kind, EVENT_KBD);
    EXPECT_EQ(event.key, 'k');
    EXPECT_EQ(display->now(), 5000u);
}

TEST_F(Events, AClickBeforeTheTickUsesUpTheStep) {
    gfx_animate(ANIMATE_STEP);
    at(0, [&] { click_client(0, 0); });
    EXPECT_EQ(await().kind, EVENT_MOUSE);
    EXPECT_EQ(single_step, 0);
    at(3000, [&] { click_client(1, 1); });
    EXPECT_EQ(await().kind, EVENT_MOUSE);
    EXPECT_EQ(display->now(), 3000u);
}

TEST_F(Events, ClicksMapToCanvasCoordinates) {
    ASSERT_EQ(origin_x, 297);
    ASSERT_EQ(origin_y, 240);
    struct Case {
        int client_x, client_y, x, y;
    } cases[] = {{297, 240, 0, 0}, {0, 0, -297, 240}, {594, 480, 297, -240}};
    for (const Case &c : cases) {
        at(0, [&] { click_client(c.client_x, c.client_y); });
        Event event = await();
        EXPECT_EQ(event.kind, EVENT_MOUSE);
        EXPECT_EQ(event.x, c.x);
        EXPECT_EQ(event.y, c.y);
        EXPECT_EQ(event.key, 0);
    }
}

TEST_F(Events, CharactersAreEventsUnlessCtrlIsHeld) {
    at(0, [&] {
        key_down(VK_CONTROL);
        press_key('B');
        key_up(VK_CONTROL);
        press_key('A');
    });
    Event event = await();
    EXPECT_EQ(event.kind, EVENT_KBD);
    EXPECT_EQ(event.key, 'a');
    EXPECT_EQ(event.x, 0);
    EXPECT_EQ(event.y, 0);
}

TEST_F(Events, QuitModeAnswersEveryLaterWaitAfterItsOwnEvent) {
    EXPECT_EQ(gfx_animate(ANIMATE_QUIT), 1);
    at(700, [&] { click_client(10, 10); });
    EXPECT_EQ(await().kind, EVENT_QUIT);
    EXPECT_EQ(display->now(), 700u);
    at(900, [&] { press_key('Z'); });
    EXPECT_EQ(await().kind, EVENT_QUIT);
}

TEST_F(Events, UnknownAnimationModesChangeNothing) {
    // Running with a step due: a mode taken for Halt would clear both flags, one taken for Quit
    // would ask to quit.
    gfx_animate(ANIMATE_RUN);
    gfx_animate(ANIMATE_STEP);
    for (int mode : {3, 4, 6, -1}) {
        EXPECT_EQ(gfx_animate(mode), 1);
        EXPECT_EQ(running, 1);
        EXPECT_EQ(single_step, 1);
        EXPECT_EQ(quit_requested, 0);
    }
    MSG message;
    EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    gfx_animate(ANIMATE_HALT);
    EXPECT_EQ(running, 0);
    EXPECT_EQ(single_step, 0);
}

TEST_F(Events, HaltAfterTheDecisionStillEndsWithTheTick) {
    gfx_animate(ANIMATE_RUN);
    // Halt arrives while the decided periodic event waits for its tick.
    at(50, [&] { PostMessageA(graphics_window, WM_COMMAND, CMD_HALT, 0); });
    EXPECT_EQ(await().kind, EVENT_PERIODIC);
    EXPECT_EQ(display->now(), 100u);
    EXPECT_EQ(running, 0);
}

TEST_F(Events, TheFrameDrawnBeforeAWaitIsShownByIt) {
    gfx_clear();
    gfx_circle(BLUE, 0, 0, 20);
    at(0, [&] { click_client(5, 5); });
    await();
    const platform::Surface &window = shown(graphics_id());
    EXPECT_EQ(window.at(297, 240 + GetSystemMetrics(SM_CYMENU)), 0x0000FFu);
}

// The virtual display with a German keyboard, its characters from the XKB data as the real
// display reads them.
class GermanKeyboard : public virtual_display::Display {
  public:
    GermanKeyboard() : Display(1024, 768), layout_(sdl_display::XkbLayout::from_names("de", "")) {}
    unsigned char key_character(int, int scan_code, bool shift, bool caps_lock,
                                bool altgr) override {
        return layout_->character(scan_code, shift, caps_lock, altgr, false);
    }
    unsigned char typed_character(int, int scan_code, bool shift, bool caps_lock,
                                  bool altgr) override {
        return layout_->typed(scan_code, shift, caps_lock, altgr, false);
    }

  private:
    std::unique_ptr<sdl_display::XkbLayout> layout_;
};

TEST_F(PackageTest, OnAGermanKeyboardAltGrTypesAndDeadKeysCompose) {
    auto german = std::make_unique<GermanKeyboard>();
    display = german.get();
    display::install(std::move(german));
    open();
    await_idle();
    run_command(CMD_RECORD);
    // AltGr as Windows reports it, left Ctrl with right Alt: AltGr+Q is "@", AltGr+E the euro
    // sign; then the dead acute accent and E.
    key_down(VK_CONTROL);
    display->key_down(VK_MENU, 0x138);
    press_key('Q');
    press_key('E');
    display->key_up(VK_MENU, 0x138);
    key_up(VK_CONTROL);
    display->key_down(VK_OEM_6, 0x0D);
    display->key_up(VK_OEM_6, 0x0D);
    press_key('E');
    for (int expected : {int('@'), 0x80, 0xE9}) {
        Event event = await();
        EXPECT_EQ(event.kind, EVENT_KBD);
        EXPECT_EQ(static_cast<unsigned char>(event.key), expected);
    }
    run_command(CMD_RECORD);
    EXPECT_EQ(read_file("KORVA.SCR"), "KORVA_KBD(64);\nKORVA_KBD(-128);\nKORVA_KBD(-23);\n");
    // Ctrl alone still makes shortcuts.
    key_down(VK_CONTROL);
    press_key('Q');
    EXPECT_EQ(await().kind, EVENT_QUIT);
}

} // namespace
