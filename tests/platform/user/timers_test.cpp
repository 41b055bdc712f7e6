// Timers on the virtual clock, and WaitMessage sleeping instead of spinning.
#include "user_test_support.h"

using namespace user_test;

class Timers : public UserTest {};

namespace {

// Takes the next message, sleeping in WaitMessage when none is due, as an event loop does.
MSG next_message() {
    MSG msg;
    while (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) WaitMessage();
    return msg;
}

} // namespace

TEST_F(Timers, FireAtTheirDeadlinesOnTheVirtualClock) {
    HWND window = create();
    EXPECT_EQ(SetTimer(window, 2, 100, nullptr), 2u);
    MSG msg;
    display->advance(99);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    for (int tick = 1; tick <= 3; tick++) {
        msg = next_message();
        EXPECT_EQ(msg.message, UINT(WM_TIMER));
        EXPECT_EQ(msg.hwnd, window);
        EXPECT_EQ(msg.wParam, 2u);
        EXPECT_EQ(display->now(), display::Time(100 * tick));
    }
}

TEST_F(Timers, ALateTimerGivesOneMessageAndKeepsItsPhase) {
    HWND window = create();
    SetTimer(window, 1, 100, nullptr);
    display->advance(350);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, UINT(WM_TIMER));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    msg = next_message();
    EXPECT_EQ(display->now(), 400u);
}

TEST_F(Timers, NoRemoveLeavesTheTimerDue) {
    HWND window = create();
    SetTimer(window, 1, 100, nullptr);
    display->advance(100);
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE));
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
}

TEST_F(Timers, SeveralDueTimersGiveOneMessageEachEarliestFirst) {
    HWND window = create();
    SetTimer(window, 1, 300, nullptr);
    SetTimer(window, 2, 100, nullptr);
    display->advance(300);
    MSG msg;
    std::vector<WPARAM> ids;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ids.push_back(msg.wParam);
    EXPECT_EQ(ids, (std::vector<WPARAM>{2, 1}));
}

TEST_F(Timers, SettingAgainRestartsAndKillStops) {
    HWND window = create();
    SetTimer(window, 1, 100, nullptr);
    display->advance(80);
    SetTimer(window, 1, 100, nullptr);
    display->advance(80);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_TRUE(KillTimer(window, 1));
    EXPECT_FALSE(KillTimer(window, 1));
    display->advance(1000);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Timers, AZeroPeriodIsRaisedToTenMilliseconds) {
    HWND window = create();
    SetTimer(window, 1, 0, nullptr);
    next_message();
    EXPECT_EQ(display->now(), 10u);
}

namespace {
int procedure_calls = 0;
void CALLBACK count_call(HWND, UINT, UINT_PTR, DWORD) {
    procedure_calls++;
}
} // namespace

TEST_F(Timers, ATimerProcedureIsCalledByDispatch) {
    UINT_PTR id = SetTimer(nullptr, 0, 50, count_call);
    EXPECT_NE(id, 0u);
    MSG msg = next_message();
    EXPECT_EQ(msg.message, UINT(WM_TIMER));
    EXPECT_EQ(msg.wParam, id);
    DispatchMessageA(&msg);
    EXPECT_EQ(procedure_calls, 1);
}

TEST_F(Timers, AnIdleWaitSleepsUntilTheDeadlineWithoutSpinning) {
    HWND window = create();
    SetTimer(window, 2, 100, nullptr);
    int polls = display->poll_count();
    int waits = display->wait_count();
    MSG msg = next_message();
    EXPECT_EQ(msg.message, UINT(WM_TIMER));
    EXPECT_EQ(display->now(), 100u);
    // One failed look, one sleep, one successful look: each looks at the backend once or twice.
    EXPECT_EQ(display->wait_count() - waits, 1);
    EXPECT_LE(display->poll_count() - polls, 6);
}

TEST_F(Timers, WaitMessageReturnsAtOnceWhenSomethingIsDue) {
    HWND window = create();
    PostMessageA(window, WM_USER, 0, 0);
    int waits = display->wait_count();
    WaitMessage();
    EXPECT_EQ(display->wait_count(), waits);
    EXPECT_EQ(display->now(), 0u);
}

TEST_F(Timers, TheIdleHandlerFeedsInputAtTheProgramsRest) {
    create_shown("W");
    HWND window = create_shown("Other");
    pump();
    std::vector<display::Time> deadlines;
    display->set_idle_handler([&](display::Time deadline) {
        deadlines.push_back(deadline);
        display->advance(30);
        display->click(display->find_window("Other"), 1, 1);
    });
    SetTimer(window, 1, 100, nullptr);
    MSG msg = next_message();
    EXPECT_EQ(msg.message, UINT(WM_LBUTTONDOWN));
    EXPECT_EQ(deadlines, (std::vector<display::Time>{100}));
    EXPECT_EQ(display->now(), 30u);
}

TEST(VirtualDisplayDeathTest, WaitingForeverWithoutAnIdleHandlerAborts) {
    EXPECT_DEATH(
        {
            virtual_display::install();
            WaitMessage();
        },
        "would wait forever");
}

TEST_F(Timers, GetMessageForOneWindowSleepsThroughAnotherWindowsDueTimer) {
    HWND busy = create("Busy");
    HWND quiet = create("Quiet");
    SetTimer(busy, 1, 10, nullptr);
    SetTimer(quiet, 1, 500, nullptr);
    MSG msg;
    ASSERT_EQ(GetMessageA(&msg, quiet, 0, 0), 1);
    EXPECT_EQ(msg.hwnd, quiet);
    EXPECT_EQ(display->now(), 500u);
    EXPECT_LE(display->wait_count(), 2); // one sleep to the busy timer's deadline, one to 500
}
