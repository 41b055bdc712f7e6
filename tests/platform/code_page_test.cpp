// Code page 1252 and UTF-8: the conversions behind typed characters, window titles and the
// headless runner's typed text.
#include "platform/code_page.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(CodePage, EveryDefinedByteGoesToUnicodeAndBack) {
    int undefined = 0;
    for (int byte = 0; byte < 256; byte++) {
        uint32_t c = unicode_of_cp1252((unsigned char)byte);
        if (!c && byte) {
            undefined++;
            continue;
        }
        EXPECT_EQ(cp1252_of_unicode(c), byte) << byte;
    }
    EXPECT_EQ(undefined, 5);
    EXPECT_EQ(unicode_of_cp1252(0x80), 0x20ACu); // the euro sign
    EXPECT_EQ(unicode_of_cp1252(0x9F), 0x178u);  // Y diaeresis
    EXPECT_EQ(unicode_of_cp1252(0xE9), 0xE9u);
    // Characters the code page lacks, and the C1 controls it puts others in the place of.
    for (uint32_t c : {0x3A9u, 0x11Bu, 0x81u, 0x9Cu, 0x1F600u}) EXPECT_EQ(cp1252_of_unicode(c), 0);
}

TEST(CodePage, TextAsUtf8) {
    EXPECT_EQ(utf8_of_cp1252("Caf\xE9 \x80 \x93ok\x94"),
              "Caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9Cok\xE2\x80\x9D");
    EXPECT_EQ(utf8_of_cp1252("\x81"), "\xEF\xBF\xBD");
}

TEST(CodePage, Utf8IsDecodedAndMalformedTextRefused) {
    std::vector<uint32_t> characters;
    ASSERT_TRUE(decode_utf8("a\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E", characters));
    EXPECT_EQ(characters, (std::vector<uint32_t>{'a', 0xE9, 0x20AC, 0x1D11E}));
    for (const char *bad : {"\xE9", "\xC3", "\x80", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80",
                            "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xE2\x82"}) {
        characters.clear();
        EXPECT_FALSE(decode_utf8(bad, characters)) << bad;
    }
}
