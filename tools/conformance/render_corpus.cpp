// Rendering the corpus into pixel dumps.
#include "tools/conformance/render_corpus.h"

#include "tools/conformance/canvas.h"
#include "tools/conformance/dump.h"

#include <chrono>
#include <cstdio>

namespace {

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

bool finish(DumpWriter &writer, const std::string &path, std::string &error) {
    if (writer.finish()) return true;
    error = "cannot write " + path;
    return false;
}

} // namespace

bool render_corpus(const Corpus &corpus, const std::string &directory, std::string &error) {
    auto start = std::chrono::steady_clock::now();
    std::string path = directory + "/frames.dump";
    DumpWriter frames(path, CANVAS_WIDTH, CANVAS_HEIGHT);
    for (const auto &frame : corpus.frames) {
        erase_canvas();
        for (const CorpusRecord &entry : frame)
            if (entry.record.shape != SHAPE_TEXT) render_corpus_record(entry);
        frames.add(canvas_pixels());
    }
    if (!finish(frames, path, error)) return false;
    printf("frames: %zu in %.1f s\n", corpus.frames.size(), seconds_since(start));

    start = std::chrono::steady_clock::now();
    path = directory + "/shapes.dump";
    DumpWriter shapes(path, CANVAS_WIDTH, CANVAS_HEIGHT);
    for (const CorpusRecord &entry : corpus.shapes) {
        fill_canvas(BACKGROUND_PIXEL);
        render_corpus_record(entry);
        shapes.add(canvas_pixels());
    }
    if (!finish(shapes, path, error)) return false;
    printf("shapes: %zu in %.1f s\n", corpus.shapes.size(), seconds_since(start));

    start = std::chrono::steady_clock::now();
    path = directory + "/texts.dump";
    DumpWriter texts(path, CANVAS_WIDTH, CANVAS_HEIGHT);
    for (const CorpusRecord &entry : corpus.texts) {
        fill_canvas(BACKGROUND_PIXEL);
        render_corpus_record(entry);
        texts.add(canvas_pixels());
    }
    if (!finish(texts, path, error)) return false;
    printf("texts: %zu in %.1f s\n", corpus.texts.size(), seconds_since(start));
    return true;
}
