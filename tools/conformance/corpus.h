// The conformance corpus: the records both builds render, each the same in every build.
//   frames  every frame of two scene cycles of the bug demo, nine bugs in varied states
//   shapes  non-text records, each rendered alone: the frames' distinct ones and a seeded random
//           set of rectangles, ovals, circles, triangles, lines and pixels
//   texts   text records, each rendered alone: the frames' distinct ones and a fixed set
#pragma once

#include "gfx/state.h"

#include <string>
#include <vector>

// A draw record with its text held by value; `record.text` is null (a block is made for the
// moment of rendering).
struct CorpusRecord {
    DrawRecord record;
    std::string text;
    // What the record was made as: "rectangle", "oval", "circle", "triangle", "line", "pixel"
    // or "text".
    const char *kind;
};

struct Corpus {
    std::vector<std::vector<CorpusRecord>> frames;
    std::vector<CorpusRecord> shapes;
    std::vector<CorpusRecord> texts;
};

enum { DEMO_FRAMES = 102, RANDOM_SHAPES = 12000 };

Corpus build_corpus();

// The demo's frames, captured from its drawing functions through the package's drawing calls.
std::vector<std::vector<CorpusRecord>> demo_frames();
// `count` random non-text records from `seed`.
std::vector<CorpusRecord> random_shapes(uint64_t seed, int count);
// Text records of every point size class, anchored in and partly outside the canvas.
std::vector<CorpusRecord> text_samples();

// Renders one record into the package's canvas through render_record.
void render_corpus_record(const CorpusRecord &entry);

// One line naming the record: its kind and arguments, e.g.
// "oval color 4 width 2 (-10,10) (10,-10)".
std::string describe(const CorpusRecord &entry);
