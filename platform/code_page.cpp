// Code page 1252 and UTF-8.
#include "platform/code_page.h"

namespace platform {

namespace {

// The characters of bytes 0x80..0x9F; 0 marks the five the code page leaves undefined.
constexpr uint16_t HIGH_CONTROLS[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void append_utf8(std::string &out, uint32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

} // namespace

uint32_t unicode_of_cp1252(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? HIGH_CONTROLS[byte - 0x80] : byte;
}

unsigned char cp1252_of_unicode(uint32_t code_point) {
    if (code_point < 0x80 || (code_point >= 0xA0 && code_point <= 0xFF))
        return (unsigned char)code_point;
    for (int i = 0; i < 32; i++)
        if (HIGH_CONTROLS[i] && HIGH_CONTROLS[i] == code_point) return (unsigned char)(0x80 + i);
    return 0;
}

std::string utf8_of_cp1252(const std::string &text) {
    std::string out;
    for (unsigned char byte : text) {
        uint32_t c = unicode_of_cp1252(byte);
        append_utf8(out, c || !byte ? c : 0xFFFD);
    }
    return out;
}

bool decode_utf8(const std::string &text, std::vector<uint32_t> &code_points) {
    for (size_t i = 0; i < text.size();) {
        unsigned char lead = (unsigned char)text[i];
        int length = lead < 0x80    ? 1
                     : lead >= 0xF5 ? 0
                     : lead >= 0xF0 ? 4
                     : lead >= 0xE0 ? 3
                     : lead >= 0xC0 ? 2
                                    : 0;
        if (!length || i + size_t(length) > text.size()) return false;
        uint32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; k++) {
            unsigned char next = (unsigned char)text[i + size_t(k)];
            if ((next & 0xC0) != 0x80) return false;
            c = (c << 6) | (next & 0x3F);
        }
        static constexpr uint32_t SMALLEST[5] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < SMALLEST[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
        code_points.push_back(c);
        i += size_t(length);
    }
    return true;
}

} // namespace platform
