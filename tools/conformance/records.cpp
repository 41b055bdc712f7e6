#include "tools/conformance/records.h"

namespace {

// What a record was drawn as, named as the corpus names it: a filled oval in a square box is
// a circle.
const char *kind_of(const DrawRecord &r) {
    switch (r.shape) {
    case SHAPE_TRIANGLE: return "triangle";
    case SHAPE_RECTANGLE: return "rectangle";
    case SHAPE_OVAL: return r.width == 0 && r.x2 - r.x1 == r.y1 - r.y2 ? "circle" : "oval";
    case SHAPE_LINE: return "line";
    case SHAPE_PIXEL: return "pixel";
    default: return "text";
    }
}

int32_t get32(const unsigned char *in) {
    return int32_t(uint32_t(in[0]) | uint32_t(in[1]) << 8 | uint32_t(in[2]) << 16 |
                   uint32_t(in[3]) << 24);
}

} // namespace

bool read_records(FILE *stream, long end, std::vector<CorpusRecord> &records, std::string &error) {
    const int64_t header = 40;
    int64_t at = ftell(stream);
    if (at < 0) {
        error = "cannot tell where the draw records start";
        return false;
    }
    while (at < end) {
        unsigned char bytes[header];
        if (end - at < header || fread(bytes, 1, header, stream) != header) {
            error = "the draw record at byte " + std::to_string(at) + " is cut short";
            return false;
        }
        DrawRecord r = {get32(bytes),      get32(bytes + 4),
                        get32(bytes + 8),  get32(bytes + 12),
                        get32(bytes + 16), get32(bytes + 20),
                        get32(bytes + 24), get32(bytes + 28),
                        get32(bytes + 32), nullptr};
        uint32_t length = uint32_t(get32(bytes + 36));
        if (end - at - header < int64_t(length)) {
            error = "the text of the draw record at byte " + std::to_string(at) + " is cut short";
            return false;
        }
        std::string text(length, '\0');
        if (fread(text.data(), 1, length, stream) != length) {
            error = "the text of the draw record at byte " + std::to_string(at) + " is cut short";
            return false;
        }
        records.push_back({r, text, kind_of(r)});
        at += header + length;
    }
    return true;
}
