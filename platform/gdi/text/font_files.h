// Finding the font files the stand-in draws with. They are found once, at start-up, and pinned
// by file, so that what else is installed never changes a rendered pixel.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace text {

struct FontFiles {
    std::string sans_regular; // Liberation Sans: the face GDI substitutes for unknown names
    std::string sans_bold;    // Liberation Sans Bold, for weights of 600 and more
    std::string fixed;        // the X11 misc-fixed 8x13 Latin-1 bitmap font
};

// Where font files are looked for. The system's lookup asks fontconfig and then tries the
// paths Debian installs to; tests substitute their own to see what a system without fonts gets.
struct FontLookup {
    // The file fontconfig matches for a family (regular or bold), and the family and weight it
    // really gave (fontconfig answers every request with something). False if it gave nothing.
    std::function<bool(const std::string &family, bool bold, std::string &file,
                       std::string &matched_family, bool &matched_bold)>
        match;
    std::vector<std::string> sans_regular_paths, sans_bold_paths, fixed_paths;
    std::function<bool(const std::string &path)> exists;
};

FontLookup system_font_lookup();

// Fills `files`, or returns false with an error that names the Debian package to install.
bool find_font_files(const FontLookup &lookup, FontFiles &files, std::string &error);

// The error texts for a font that is missing or unusable, naming the Debian package to install.
std::string sans_font_error(bool bold);
std::string fixed_font_error();

} // namespace text
