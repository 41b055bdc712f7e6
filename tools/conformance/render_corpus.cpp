// Rendering the corpus into pixel dumps.
#include "tools/conformance/render_corpus.h"

#include "tools/conformance/canvas.h"
#include "tools/conformance/dump.h"

#include <chrono>
#include <cstdio>
#include <vector>

namespace {

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

bool finish(DumpWriter &writer, const std::string &path, std::string &error) {
    if (writer.finish()) return true;
    error = "cannot write " + path;
    return false;
}

// Writes `name`.dump into `directory`, each record alone on the background, and prints how many
// records it took and how long.
bool render_alone(const std::vector<CorpusRecord> &records, const std::string &directory,
                  const std::string &name, std::string &error) {
    auto start = std::chrono::steady_clock::now();
    std::string path = directory + "/" + name + ".dump";
    DumpWriter dump(path, CANVAS_WIDTH, CANVAS_HEIGHT);
    for (const CorpusRecord &entry : records) {
        fill_canvas(BACKGROUND_PIXEL);
        render_corpus_record(entry);
        dump.add(canvas_pixels());
    }
    if (!finish(dump, path, error)) return false;
    printf("%s: %zu in %.1f s\n", name.c_str(), records.size(), seconds_since(start));
    return true;
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

    return render_alone(corpus.shapes, directory, "shapes", error) &&
           render_alone(corpus.texts, directory, "texts", error);
}
