// Rendering the corpus into pixel dumps, and comparing two builds' dumps.
#pragma once

#include "tools/conformance/corpus.h"

#include <string>

// A colour outside the palette: the background of records rendered alone.
constexpr uint32_t BACKGROUND_PIXEL = 0x123456;

// Writes frames.dump, shapes.dump and texts.dump into `directory`. Frames are drawn on an
// erased canvas without their text records; every other record alone on the background.
bool render_corpus(const Corpus &corpus, const std::string &directory, std::string &error);

// Compares the dumps of the Windows build (under Wine) with the native build's and prints the
// report. Returns true when every non-text record and frame agrees pixel for pixel (records
// for which Wine is no oracle left out) and every text record's pixels lie within one pixel of
// Wine's on each side.
bool compare_dumps(const Corpus &corpus, const std::string &wine_directory,
                   const std::string &native_directory, std::string &error);
