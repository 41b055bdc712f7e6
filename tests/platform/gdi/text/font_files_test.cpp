// Finding the font files, and the errors of a system that lacks them.
#include "platform/gdi/text/font_files.h"
#include "text_test_support.h"

namespace {

const char kRegular[] = "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf";
const char kBold[] = "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf";
const char kFixed[] = "/usr/share/fonts/X11/misc/8x13-ISO8859-1.pcf.gz";

// A lookup whose fontconfig answers "Arial" with another family, and with no files anywhere.
text::FontLookup empty_lookup() {
    text::FontLookup lookup = text::system_font_lookup();
    lookup.match = [](const std::string &, bool bold, std::string &file, std::string &family,
                      bool &matched_bold) {
        file = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
        family = "DejaVu Sans";
        matched_bold = bold;
        return true;
    };
    lookup.sans_regular_paths = {"/nonexistent/LiberationSans-Regular.ttf"};
    lookup.sans_bold_paths = {"/nonexistent/LiberationSans-Bold.ttf"};
    lookup.fixed_paths = {"/nonexistent/8x13-ISO8859-1.pcf.gz"};
    return lookup;
}

TEST(FontFiles, SystemLookupFindsLiberationSansAndTheFixedFont) {
    text::FontFiles files;
    std::string error;
    ASSERT_TRUE(text::find_font_files(text::system_font_lookup(), files, error)) << error;
    EXPECT_NE(files.sans_regular.find("LiberationSans-Regular"), std::string::npos);
    EXPECT_NE(files.sans_bold.find("LiberationSans-Bold"), std::string::npos);
    EXPECT_EQ(files.fixed, kFixed);
}

TEST(FontFiles, AnotherArialIsPassedOverForLiberationSans) {
    text::FontLookup lookup = empty_lookup();
    lookup.sans_regular_paths = {"/nonexistent/a.ttf", kRegular};
    lookup.sans_bold_paths = {kBold};
    lookup.fixed_paths = {kFixed};
    text::FontFiles files;
    std::string error;
    ASSERT_TRUE(text::find_font_files(lookup, files, error)) << error;
    EXPECT_EQ(files.sans_regular, kRegular);
    EXPECT_EQ(files.sans_bold, kBold);
}

TEST(FontFiles, MissingFontsNameTheirPackage) {
    text::FontLookup lookup = empty_lookup();
    text::FontFiles files;
    std::string error;
    EXPECT_FALSE(text::find_font_files(lookup, files, error));
    EXPECT_NE(error.find("Liberation Sans"), std::string::npos) << error;
    EXPECT_NE(error.find("fonts-liberation"), std::string::npos) << error;

    lookup.sans_regular_paths = {kRegular};
    EXPECT_FALSE(text::find_font_files(lookup, files, error));
    EXPECT_NE(error.find("Bold"), std::string::npos) << error;
    EXPECT_NE(error.find("fonts-liberation"), std::string::npos) << error;

    lookup.sans_bold_paths = {kBold};
    EXPECT_FALSE(text::find_font_files(lookup, files, error));
    EXPECT_NE(error.find("8x13"), std::string::npos) << error;
    EXPECT_NE(error.find("xfonts-base"), std::string::npos) << error;
}

TEST(FontFiles, InitRejectsAFileThatIsNotTheExpectedFont) {
    text::FontLookup lookup = empty_lookup();
    lookup.sans_regular_paths = {kBold}; // the wrong weight
    lookup.sans_bold_paths = {kBold};
    lookup.fixed_paths = {kFixed};
    text::set_font_lookup(lookup);
    std::string error;
    EXPECT_FALSE(text::init(error));
    EXPECT_NE(error.find("fonts-liberation"), std::string::npos) << error;

    lookup.sans_regular_paths = {kRegular};
    lookup.fixed_paths = {kRegular}; // not a bitmap font
    text::set_font_lookup(lookup);
    EXPECT_FALSE(text::init(error));
    EXPECT_NE(error.find("xfonts-base"), std::string::npos) << error;

    // Once the files are right, start-up succeeds.
    lookup.fixed_paths = {kFixed};
    text::set_font_lookup(lookup);
    EXPECT_TRUE(text::init(error)) << error;
}

TEST(FontFilesDeathTest, TextUsedWithoutFontsStopsWithTheReason) {
    text::set_font_lookup(empty_lookup());
    Canvas canvas(4, 4);
    TEXTMETRICA tm;
    EXPECT_DEATH(GetTextMetricsA(canvas.dc, &tm), "install the Debian package fonts-liberation");
    // The lookup was changed in this process too: the tests after this one find the fonts.
    text::set_font_lookup(text::system_font_lookup());
}

TEST(FontFiles, TextUsedBeforeInitStartsItself) {
    Canvas canvas(4, 4);
    TEXTMETRICA tm;
    ASSERT_TRUE(GetTextMetricsA(canvas.dc, &tm));
    EXPECT_EQ(tm.tmHeight, 16);
}

} // namespace
