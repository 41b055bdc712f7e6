// The package while it is not open, before gfx_open and after gfx_close, on any implementation
// of the API: the switches report it by their results, and a wait ends at once with EVENT_QUIT
// instead of waiting for a window that no one made, saying why once.
#include "package_fixture.h"

#include <string>

namespace {

using NotOpen = PackageFixture;

TEST_F(NotOpen, SwitchesReportItAndAWaitEndsAtOnceWithQuitSayingWhyOnce) {
    EXPECT_EQ(gfx_logging(0), 0);
    EXPECT_EQ(logging_on, 1);
    EXPECT_EQ(gfx_animate(ANIMATE_RUN), 0);
    EXPECT_EQ(running, 0);

    testing::internal::CaptureStderr();
    Event before = await();
    Event again = await();
    open();
    gfx_close();
    Event after_close = await();
    std::string said = testing::internal::GetCapturedStderr();
    for (const Event &event : {before, again, after_close}) {
        EXPECT_EQ(event.kind, EVENT_QUIT);
        EXPECT_EQ(event.x, 0);
        EXPECT_EQ(event.y, 0);
        EXPECT_EQ(event.key, 0);
    }
    EXPECT_EQ(said, "gfx_await_event: gfx_open was not called (or gfx_close was); returning "
                    "EVENT_QUIT\n");
}

} // namespace
