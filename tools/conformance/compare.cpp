// Comparing the Windows build's dumps (Wine's GDI) with the native build's (the stand-in), and
// the report.
#include "tools/conformance/dump.h"
#include "tools/conformance/render_corpus.h"
#include "tools/conformance/wine_exceptions.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

namespace {

enum { LISTED_RECORDS = 40 };

struct Difference {
    int64_t pixels = 0;
    int first_x = -1, first_y = -1;
    uint32_t wine = 0, native = 0;
};

Difference differ(const std::vector<uint32_t> &wine, const std::vector<uint32_t> &native) {
    Difference d;
    for (size_t i = 0; i < wine.size(); i++) {
        if (wine[i] == native[i]) continue;
        if (d.pixels++ == 0) {
            d.first_x = int(i % CANVAS_WIDTH);
            d.first_y = int(i / CANVAS_WIDTH);
            d.wine = wine[i];
            d.native = native[i];
        }
    }
    return d;
}

// The bounding box of the pixels that are not the background; right < left when there is none.
RECT drawn_box(const std::vector<uint32_t> &pixels) {
    RECT box = {CANVAS_WIDTH, CANVAS_HEIGHT, -1, -1};
    for (int y = 0; y < CANVAS_HEIGHT; y++)
        for (int x = 0; x < CANVAS_WIDTH; x++) {
            if (pixels[size_t(y) * CANVAS_WIDTH + size_t(x)] == BACKGROUND_PIXEL) continue;
            if (x < box.left) box.left = x;
            if (x > box.right) box.right = x;
            if (y < box.top) box.top = y;
            if (y > box.bottom) box.bottom = y;
        }
    return box;
}

bool empty(const RECT &box) {
    return box.right < box.left;
}

int64_t distance(const RECT &a, const RECT &b) {
    int64_t d = 0;
    for (int64_t side : {int64_t(a.left) - b.left, int64_t(a.top) - b.top,
                         int64_t(a.right) - b.right, int64_t(a.bottom) - b.bottom})
        d = std::max(d, std::abs(side));
    return d;
}

void print_difference(const char *what, const Difference &d) {
    printf("  %s: %lld pixels differ, first at (%d,%d): Wine #%06X, native #%06X\n", what,
           (long long)d.pixels, d.first_x, d.first_y, unsigned(d.wine), unsigned(d.native));
}

struct KindFigures {
    int compared = 0, differing = 0, excluded = 0, excluded_differing = 0;
    int64_t pixels = 0, excluded_pixels = 0;
};

// Opens the same dump of both builds and checks that they hold `count` canvases.
bool open_pair(DumpReader &wine, DumpReader &native, size_t count, std::string &error) {
    if (!wine.error().empty())
        error = wine.error();
    else if (!native.error().empty())
        error = native.error();
    else if (wine.count() != count || native.count() != count)
        error = "the dumps hold " + std::to_string(wine.count()) + " and " +
                std::to_string(native.count()) + " canvases, the corpus " + std::to_string(count);
    return error.empty();
}

bool read_pair(DumpReader &wine, DumpReader &native, std::vector<uint32_t> &a,
               std::vector<uint32_t> &b, std::string &error) {
    if (!wine.next(a))
        error = wine.error();
    else if (!native.next(b))
        error = native.error();
    return error.empty();
}

// The next canvas of both dumps, compared; decoded only when they differ.
bool differ_next(DumpReader &wine, DumpReader &native, Difference &difference, std::string &error) {
    std::vector<uint32_t> wine_runs, native_runs, wine_pixels, native_pixels;
    if (!wine.next_runs(wine_runs))
        error = wine.error();
    else if (!native.next_runs(native_runs))
        error = native.error();
    if (!error.empty()) return false;
    difference = Difference();
    if (wine_runs == native_runs) return true;
    wine.decode(wine_runs, wine_pixels);
    native.decode(native_runs, native_pixels);
    difference = differ(wine_pixels, native_pixels);
    return true;
}

} // namespace

bool compare_shapes(const Corpus &corpus, const std::string &wine_directory,
                    const std::string &native_directory, std::string &error) {
    bool agree = true;

    // Frames, whole canvases.
    DumpReader wine_frames(wine_directory + "/frames.dump");
    DumpReader native_frames(native_directory + "/frames.dump");
    if (!open_pair(wine_frames, native_frames, corpus.frames.size(), error)) return false;
    int differing_frames = 0;
    int64_t frame_pixels = 0;
    size_t frame_records = 0;
    printf("Frames of the demo (text records left out):\n");
    for (size_t f = 0; f < corpus.frames.size(); f++) {
        Difference d;
        if (!differ_next(wine_frames, native_frames, d, error)) return false;
        frame_records += corpus.frames[f].size();
        if (d.pixels == 0) continue;
        differing_frames++;
        frame_pixels += d.pixels;
        print_difference(("frame " + std::to_string(f)).c_str(), d);
    }
    printf("  %zu frames (%zu records), %d differing, %lld pixels differ\n", corpus.frames.size(),
           frame_records, differing_frames, (long long)frame_pixels);
    if (differing_frames > 0) agree = false;

    // Non-text records one by one, by kind.
    DumpReader wine_shapes(wine_directory + "/shapes.dump");
    DumpReader native_shapes(native_directory + "/shapes.dump");
    if (!open_pair(wine_shapes, native_shapes, corpus.shapes.size(), error)) return false;
    std::map<std::string, KindFigures> kinds;
    int listed = 0, unlisted = 0;
    printf("Records alone, differing ones named:\n");
    for (const CorpusRecord &entry : corpus.shapes) {
        Difference d;
        if (!differ_next(wine_shapes, native_shapes, d, error)) return false;
        KindFigures &figures = kinds[entry.kind];
        const char *exception = wine_exception(entry.record);
        if (exception) {
            figures.excluded++;
            figures.excluded_pixels += d.pixels;
            if (d.pixels > 0) figures.excluded_differing++;
            continue;
        }
        figures.compared++;
        if (d.pixels == 0) continue;
        figures.differing++;
        figures.pixels += d.pixels;
        agree = false;
        if (listed++ < LISTED_RECORDS)
            print_difference(describe(entry).c_str(), d);
        else
            unlisted++;
    }
    if (unlisted > 0) printf("  ... and %d more\n", unlisted);
    printf("  %-10s %9s %10s %12s %9s %18s\n", "kind", "compared", "differing", "pixels",
           "excluded", "of them differing");
    for (const auto &[kind, f] : kinds)
        printf("  %-10s %9d %10d %12lld %9d %18d (%lld pixels)\n", kind.c_str(), f.compared,
               f.differing, (long long)f.pixels, f.excluded, f.excluded_differing,
               (long long)f.excluded_pixels);
    for (const CorpusRecord &entry : corpus.shapes)
        if (const char *exception = wine_exception(entry.record)) {
            printf("  excluded by rule: %s\n", exception);
            break;
        }
    printf(agree ? "The stand-in's shapes agree with Wine's.\n"
                 : "The stand-in's shapes DIFFER from Wine's.\n");
    return agree;
}

bool compare_texts(const Corpus &corpus, const std::string &wine_directory,
                   const std::string &native_directory, std::string &error) {
    std::vector<uint32_t> wine_pixels, native_pixels;
    bool agree = true;
    // Text records one by one: where they draw, and how many pixels differ.
    DumpReader wine_texts(wine_directory + "/texts.dump");
    DumpReader native_texts(native_directory + "/texts.dump");
    if (!open_pair(wine_texts, native_texts, corpus.texts.size(), error)) return false;
    int boxes_exact = 0, boxes_within_one = 0, texts_differing = 0;
    int64_t text_pixels = 0, wine_text_pixels = 0;
    printf("Text records alone:\n");
    for (const CorpusRecord &entry : corpus.texts) {
        if (!read_pair(wine_texts, native_texts, wine_pixels, native_pixels, error)) return false;
        RECT wine_box = drawn_box(wine_pixels), native_box = drawn_box(native_pixels);
        Difference d = differ(wine_pixels, native_pixels);
        for (uint32_t p : wine_pixels) wine_text_pixels += p != BACKGROUND_PIXEL;
        text_pixels += d.pixels;
        texts_differing += d.pixels > 0;
        bool both_empty = empty(wine_box) && empty(native_box);
        int64_t off = both_empty                             ? 0
                      : empty(wine_box) || empty(native_box) ? INT32_MAX
                                                             : distance(wine_box, native_box);
        if (off == 0) boxes_exact++;
        if (off <= 1) {
            boxes_within_one++;
            continue;
        }
        agree = false;
        printf("  %s: drawn at (%ld,%ld)-(%ld,%ld) under Wine, (%ld,%ld)-(%ld,%ld) natively\n",
               describe(entry).c_str(), long(wine_box.left), long(wine_box.top),
               long(wine_box.right), long(wine_box.bottom), long(native_box.left),
               long(native_box.top), long(native_box.right), long(native_box.bottom));
    }
    printf("  %zu records: bounding boxes within one pixel %d, identical %d; %d records with "
           "differing pixels, %lld pixels differ (Wine drew %lld text pixels)\n",
           corpus.texts.size(), boxes_within_one, boxes_exact, texts_differing,
           (long long)text_pixels, (long long)wine_text_pixels);

    printf(agree ? "The stand-in's text lies where Wine's does.\n"
                 : "The stand-in's text is NOT where Wine's is.\n");
    return agree;
}
