// The corpus as a whole, text samples, rendering one record, and describing one.
#include "tools/conformance/corpus.h"

#include <cstring>
#include <set>
#include <tuple>

namespace {

constexpr uint64_t RANDOM_SEED = 0x4B4F525641ull; // "KORVA"

// Records equal in every field but the text block, with equal texts.
auto key_of(const CorpusRecord &e) {
    const DrawRecord &r = e.record;
    return std::make_tuple(r.shape, r.color, r.width, r.x1, r.y1, r.x2, r.y2, r.x3, r.y3, e.text);
}

} // namespace

std::vector<CorpusRecord> text_samples() {
    static const char *const texts[] = {
        "Hg",
        "KORVA graphics",
        "Click a number to choose bug, then click button to control the bug.",
        "two\nlines",
        "gap\n\nbelow",
        "trailing newline\n",
        "",
        "Latin-1: \xE0\xE9\xEE\xF5\xFC \xDF \xC6\xD8",
        "Windows-1252: \x80 \x85 \x93quoted\x94 \x96 \x99",
        "0123456789 !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~",
        "W",
        ".",
        // Every other byte but the newline: control codes and DEL, code page 1252's own
        // characters and undefined bytes, and the upper half of Latin-1.
        "\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0B\x0C\x0D\x0E\x0F\x10\x11\x12\x13\x14\x15\x16"
        "\x17\x18\x19\x1A\x1B\x1C\x1D\x1E\x1F\x7F",
        "\x80\x81\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8D\x8E\x8F\x90\x91\x92\x93\x94"
        "\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9D\x9E\x9F",
        "\xA0\xA1\xA2\xA3\xA4\xA5\xA6\xA7\xA8\xA9\xAA\xAB\xAC\xAD\xAE\xAF\xB0\xB1\xB2\xB3\xB4"
        "\xB5\xB6\xB7\xB8\xB9\xBA\xBB\xBC\xBD\xBE\xBF\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC7\xC8\xC9"
        "\xCA\xCB\xCC\xCD\xCE\xCF\xD0\xD1\xD2\xD3\xD4\xD5\xD6\xD7\xD8\xD9\xDA\xDB\xDC\xDD\xDE"
        "\xDF\xE0\xE1\xE2\xE3\xE4\xE5\xE6\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF\xF0\xF1\xF2\xF3"
        "\xF4\xF5\xF6\xF7\xF8\xF9\xFA\xFB\xFC\xFD\xFE\xFF",
    };
    static const int sizes[] = {0, 1, 5, 8, 12, 16, 20, 24, 36, 48, 72, 127};
    struct Anchor {
        int x, y;
    };
    // Inside, at the edges, and partly outside the canvas.
    static const Anchor anchors[] = {{0, 0}, {-285, -240}, {-310, 100}, {250, 250}, {100, -290}};
    std::vector<CorpusRecord> samples;
    int n = 0;
    for (const char *text : texts)
        for (int size : sizes) {
            const Anchor &at = anchors[n % 5];
            int color = n % NUM_COLORS == WHITE ? BLACK : n % NUM_COLORS;
            samples.push_back(
                {{SHAPE_TEXT, color, 0, at.x, at.y, size, 0, 0, 0, nullptr}, text, "text"});
            n++;
        }
    return samples;
}

Corpus build_corpus() {
    Corpus corpus;
    corpus.frames = demo_frames();
    // Every distinct record of the frames on its own as well, so that a frame that differs
    // points at its records.
    std::set<decltype(key_of(CorpusRecord{}))> seen;
    for (const auto &frame : corpus.frames)
        for (const CorpusRecord &entry : frame) {
            if (!seen.insert(key_of(entry)).second) continue;
            if (entry.record.shape == SHAPE_TEXT)
                corpus.texts.push_back(entry);
            else
                corpus.shapes.push_back(entry);
        }
    std::vector<CorpusRecord> random = random_shapes(RANDOM_SEED, RANDOM_SHAPES);
    corpus.shapes.insert(corpus.shapes.end(), random.begin(), random.end());
    std::vector<CorpusRecord> samples = text_samples();
    corpus.texts.insert(corpus.texts.end(), samples.begin(), samples.end());
    return corpus;
}

void render_corpus_record(const CorpusRecord &entry) {
    if (entry.record.shape != SHAPE_TEXT) {
        render_record(&entry.record);
        return;
    }
    // A text record carries its text in a movable block, as the drawing calls make it.
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, entry.text.size() + 1);
    if (!block) return;
    char *copy = static_cast<char *>(GlobalLock(block));
    if (copy) {
        memcpy(copy, entry.text.c_str(), entry.text.size() + 1);
        GlobalUnlock(block);
        DrawRecord record = entry.record;
        record.text = block;
        render_record(&record);
    }
    GlobalFree(block);
}

std::string describe(const CorpusRecord &entry) {
    const DrawRecord &r = entry.record;
    char line[1200];
    switch (r.shape) {
    case SHAPE_TRIANGLE:
        snprintf(line, sizeof line, "%s color %d width %d (%d,%d) (%d,%d) (%d,%d)", entry.kind,
                 r.color, r.width, r.x1, r.y1, r.x2, r.y2, r.x3, r.y3);
        break;
    case SHAPE_PIXEL:
        snprintf(line, sizeof line, "%s color %d (%d,%d)", entry.kind, r.color, r.x1, r.y1);
        break;
    case SHAPE_TEXT: {
        // Newlines are shown as \n and other bytes outside printable ASCII as \xNN, so that the
        // description stays one plain line.
        std::string text;
        for (char c : entry.text) {
            unsigned char byte = static_cast<unsigned char>(c);
            char escaped[8];
            if (byte == '\n')
                text += "\\n";
            else if (byte < 32 || byte > 126) {
                snprintf(escaped, sizeof escaped, "\\x%02X", byte);
                text += escaped;
            } else
                text += c;
        }
        snprintf(line, sizeof line, "%s color %d size %d at (%d,%d) \"%.1000s\"", entry.kind,
                 r.color, r.x2, r.x1, r.y1, text.c_str());
        break;
    }
    default:
        snprintf(line, sizeof line, "%s color %d width %d (%d,%d) (%d,%d)", entry.kind, r.color,
                 r.width, r.x1, r.y1, r.x2, r.y2);
        break;
    }
    return line;
}
