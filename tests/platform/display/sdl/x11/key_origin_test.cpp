// Telling the key events SDL makes up on X11 (at focus changes) from those that key presses made.
#include "platform/display/sdl/x11/key_filter.h"

#include <gtest/gtest.h>

using sdl_display::KeyOrigin;

namespace {
// X event types.
constexpr int KEY_PRESS = 2, KEY_RELEASE = 3, FOCUS_IN = 9, FOCUS_OUT = 10, KEYMAP_NOTIFY = 11,
              EXPOSE = 12;
} // namespace

TEST(KeyOrigin, PressesAndReleasesAreReal) {
    KeyOrigin origin;
    origin.x_event(KEY_PRESS);
    EXPECT_TRUE(origin.from_key_event(true));
    origin.x_event(KEY_RELEASE);
    EXPECT_TRUE(origin.from_key_event(false));
}

TEST(KeyOrigin, AutoRepeatIsReal) {
    // X reports a held key as release and press pairs; SDL drops the release and makes a
    // repeated key-down of the press.
    KeyOrigin origin;
    origin.x_event(KEY_PRESS);
    EXPECT_TRUE(origin.from_key_event(true));
    origin.x_event(KEY_RELEASE);
    origin.x_event(KEY_PRESS);
    EXPECT_TRUE(origin.from_key_event(true));
}

TEST(KeyOrigin, ReleasesAtAFocusLossAreMadeUp) {
    KeyOrigin origin;
    origin.x_event(KEY_PRESS); // Ctrl
    EXPECT_TRUE(origin.from_key_event(true));
    origin.x_event(KEY_PRESS); // H
    EXPECT_TRUE(origin.from_key_event(true));
    origin.x_event(FOCUS_OUT);
    EXPECT_FALSE(origin.from_key_event(false)); // SDL releases Ctrl
    EXPECT_FALSE(origin.from_key_event(false)); // and H
}

TEST(KeyOrigin, PressesAtAFocusGainAreMadeUp) {
    KeyOrigin origin;
    origin.x_event(FOCUS_IN);
    EXPECT_FALSE(origin.from_key_event(true));
    origin.x_event(KEYMAP_NOTIFY);
    EXPECT_FALSE(origin.from_key_event(true));
    EXPECT_FALSE(origin.from_key_event(true)); // Shift and Ctrl held
    origin.x_event(EXPOSE);
    origin.focus_gained();
    EXPECT_FALSE(origin.from_key_event(true));
}

TEST(KeyOrigin, PressesTheInputMethodTookAreReal) {
    // A dead key and the key after it come without their X events.
    KeyOrigin origin;
    origin.x_event(KEY_RELEASE);
    EXPECT_TRUE(origin.from_key_event(false));
    EXPECT_TRUE(origin.from_key_event(true));
    origin.x_event(EXPOSE);
    EXPECT_TRUE(origin.from_key_event(true));
    // Releases always come with theirs.
    EXPECT_FALSE(origin.from_key_event(false));
}

TEST(KeyOrigin, AnXEventServesOneKeyEventOnly) {
    // A release that SDL ignored (of a key pressed before our window had the focus) must not
    // vouch for a made-up release that follows it.
    KeyOrigin origin;
    origin.x_event(KEY_RELEASE);
    origin.x_event(EXPOSE);
    EXPECT_FALSE(origin.from_key_event(false));
    origin.x_event(KEY_RELEASE);
    EXPECT_TRUE(origin.from_key_event(false));
    EXPECT_FALSE(origin.from_key_event(false));
    // A press does not vouch for a release.
    origin.x_event(KEY_PRESS);
    EXPECT_FALSE(origin.from_key_event(false));
}
