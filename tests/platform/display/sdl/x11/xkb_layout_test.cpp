// Characters of keyboard layouts, from the installed XKB data (xkb-data), as TranslateMessage
// gets them: Shift, Caps Lock, AltGr and Num Lock, code page 1252 characters, dead keys, and keys
// that type nothing.
#include "platform/display/sdl/x11/xkb_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using sdl_display::XkbLayout;

namespace {

// Set-1 scan codes by US key position.
constexpr int KEY_1 = 0x02, KEY_2 = 0x03, KEY_3 = 0x04, KEY_Q = 0x10, KEY_E = 0x12, KEY_Y = 0x15,
              KEY_O = 0x18, KEY_A = 0x1E, KEY_X = 0x2D, KEY_SPACE = 0x39, KEY_SHIFT = 0x2A,
              KEY_SEMICOLON = 0x27, KEY_GRAVE = 0x29, KEY_MINUS = 0x0C, KEY_EQUALS = 0x0D,
              KEY_102ND = 0x56, KEYPAD_7 = 0x47, KEYPAD_DECIMAL = 0x53, KEYPAD_ENTER = 0x11C,
              DELETE = 0x153, F1 = 0x3B;

std::unique_ptr<XkbLayout> layout(const char *name, const char *variant = "") {
    std::unique_ptr<XkbLayout> l = XkbLayout::from_names(name, variant);
    EXPECT_TRUE(l) << "the XKB layout " << name << " (package xkb-data)";
    return l;
}

struct Mods {
    bool shift = false, caps = false, altgr = false, num = false;
};

int typed(const XkbLayout &l, int scan, Mods m = {}) {
    return l.character(scan, m.shift, m.caps, m.altgr, m.num);
}

} // namespace

TEST(XkbLayout, UsLettersDigitsShiftAndCapsLock) {
    auto us = layout("us");
    ASSERT_TRUE(us);
    EXPECT_EQ(typed(*us, KEY_A), 'a');
    EXPECT_EQ(typed(*us, KEY_A, {.shift = true}), 'A');
    EXPECT_EQ(typed(*us, KEY_A, {.caps = true}), 'A');
    EXPECT_EQ(typed(*us, KEY_A, {.shift = true, .caps = true}), 'a');
    EXPECT_EQ(typed(*us, KEY_1), '1');
    EXPECT_EQ(typed(*us, KEY_1, {.shift = true}), '!');
    EXPECT_EQ(typed(*us, KEY_1, {.caps = true}), '1'); // Caps Lock leaves digits alone
    EXPECT_EQ(typed(*us, KEY_2, {.shift = true}), '@');
    EXPECT_EQ(typed(*us, KEY_SEMICOLON, {.shift = true}), ':');
    EXPECT_FALSE(us->right_alt_is_altgr());
}

TEST(XkbLayout, WithoutAltGrCtrlAltTypesNothing) {
    // Windows' US layout has no AltGr: Ctrl+Alt with any key gives no character, though the
    // XKB data has a third level on some keys.
    auto us = layout("us");
    ASSERT_TRUE(us);
    EXPECT_EQ(typed(*us, KEY_A, {.altgr = true}), 0);
    EXPECT_EQ(typed(*us, KEY_102ND, {.altgr = true}), 0);
}

TEST(XkbLayout, GermanLettersAltGrAndDeadKeys) {
    auto de = layout("de");
    ASSERT_TRUE(de);
    EXPECT_TRUE(de->right_alt_is_altgr());
    EXPECT_EQ(typed(*de, KEY_Y), 'z');
    EXPECT_EQ(typed(*de, KEY_SEMICOLON), 0xF6);                  // o umlaut
    EXPECT_EQ(typed(*de, KEY_SEMICOLON, {.shift = true}), 0xD6); // O umlaut
    EXPECT_EQ(typed(*de, KEY_SEMICOLON, {.caps = true}), 0xD6);
    EXPECT_EQ(typed(*de, KEY_MINUS), 0xDF); // sharp s
    // Caps Lock would make a capital sharp s, which Latin-1 lacks: the key stays as it is.
    EXPECT_EQ(typed(*de, KEY_MINUS, {.caps = true}), 0xDF);
    EXPECT_EQ(typed(*de, KEY_Q, {.altgr = true}), '@');
    EXPECT_EQ(typed(*de, KEY_2, {.altgr = true}), 0xB2);     // superscript two
    EXPECT_EQ(typed(*de, KEY_E, {.altgr = true}), 0x80);     // the euro sign, code page 1252
    EXPECT_EQ(typed(*de, KEY_GRAVE), 0);                     // a dead circumflex
    EXPECT_EQ(typed(*de, KEY_GRAVE, {.shift = true}), 0xB0); // degree sign
}

TEST(XkbLayout, CodePage1252CharactersBeyondLatin1) {
    auto cz = layout("cz");
    ASSERT_TRUE(cz);
    EXPECT_EQ(typed(*cz, KEY_3), 0x9A); // s caron
    EXPECT_EQ(typed(*cz, KEY_3, {.caps = true}), 0x8A);
    EXPECT_EQ(typed(*cz, KEY_2), 0); // e caron: not in the code page, no character
}

// Typed in order, a dead key composes with the key after it; a key it does not combine with
// types its own character, and modifiers between them change nothing.
TEST(XkbLayout, DeadKeysComposeWithTheNextKey) {
    auto de = layout("de");
    ASSERT_TRUE(de);
    struct Key {
        int scan;
        Mods mods;
    };
    auto type = [&](std::vector<Key> keys) {
        std::string out;
        for (const Key &k : keys)
            if (int c = de->typed(k.scan, k.mods.shift, k.mods.caps, k.mods.altgr, k.mods.num))
                out += char(c);
        return out;
    };
    EXPECT_EQ(type({{KEY_EQUALS, {}}, {KEY_E, {}}}), "\xE9"); // acute, e
    EXPECT_EQ(type({{KEY_EQUALS, {}}, {KEY_SHIFT, {}}, {KEY_E, {.shift = true}}}), "\xC9");
    EXPECT_EQ(type({{KEY_GRAVE, {}}, {KEY_O, {}}}), "\xF4");  // circumflex, o
    EXPECT_EQ(type({{KEY_GRAVE, {}}, {KEY_SPACE, {}}}), "^"); // circumflex alone
    EXPECT_EQ(type({{KEY_EQUALS, {}}, {KEY_X, {}}, {KEY_A, {}}}), "xa");
    EXPECT_EQ(type({{KEY_E, {.altgr = true}}, {KEY_SEMICOLON, {}}}), "\x80\xF6");
}

TEST(XkbLayout, FrenchDigitRowTypesSymbolsUnshifted) {
    auto fr = layout("fr");
    ASSERT_TRUE(fr);
    EXPECT_EQ(typed(*fr, KEY_Q), 'a');
    EXPECT_EQ(typed(*fr, KEY_A), 'q');
    EXPECT_EQ(typed(*fr, KEY_1), '&');
    EXPECT_EQ(typed(*fr, KEY_1, {.shift = true}), '1');
    EXPECT_EQ(typed(*fr, KEY_2), 0xE9); // e acute
    EXPECT_EQ(typed(*fr, KEY_2, {.caps = true}), 0xC9);
    EXPECT_EQ(typed(*fr, KEY_2, {.altgr = true}), '~');
}

TEST(XkbLayout, KeypadFollowsNumLockAndTheLayoutsDecimalSign) {
    auto us = layout("us");
    auto de = layout("de");
    ASSERT_TRUE(us && de);
    EXPECT_EQ(typed(*us, KEYPAD_7, {.num = true}), '7');
    EXPECT_EQ(typed(*us, KEYPAD_7), 0); // Home
    EXPECT_EQ(typed(*us, KEYPAD_DECIMAL, {.num = true}), '.');
    EXPECT_EQ(typed(*de, KEYPAD_DECIMAL, {.num = true}), ',');
    EXPECT_EQ(typed(*us, KEYPAD_DECIMAL), 0); // Delete
    EXPECT_EQ(typed(*us, KEYPAD_ENTER), '\r');
}

TEST(XkbLayout, KeysThatTypeNothing) {
    auto us = layout("us");
    auto ru = layout("ru");
    ASSERT_TRUE(us && ru);
    EXPECT_EQ(typed(*us, DELETE), 0); // DEL is no character under Windows
    EXPECT_EQ(typed(*us, F1), 0);
    EXPECT_EQ(typed(*us, 0), 0);
    EXPECT_EQ(typed(*us, 0x1FF), 0);
    EXPECT_EQ(typed(*ru, KEY_A), 0); // Cyrillic is beyond the code page
    EXPECT_EQ(typed(*ru, KEY_1), '1');
}

TEST(XkbLayout, AnUnknownLayoutIsRefused) {
    EXPECT_FALSE(XkbLayout::from_names("no-such-layout", ""));
}
