// Windows' ANSI code page 1252, the character set of the package's text, keys and titles:
// Latin-1, with characters of its own (the euro sign, typographic quotes, ...) at 0x80..0x9F.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// The Unicode character a byte stands for; 0 for the five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D). Control codes stand for themselves.
uint32_t unicode_of_cp1252(unsigned char byte);

// The byte of a Unicode character, or 0 when the code page has none.
unsigned char cp1252_of_unicode(uint32_t code_point);

// Code page 1252 text as UTF-8; undefined bytes become U+FFFD.
std::string utf8_of_cp1252(const std::string &text);

// The characters of UTF-8 text; false for malformed text (a stray or missing continuation
// byte, an overlong form, a surrogate, a value beyond U+10FFFF).
bool decode_utf8(const std::string &text, std::vector<uint32_t> &code_points);

} // namespace platform
