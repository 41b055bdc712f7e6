// Rendering the corpus into pixel dumps, and comparing two builds' dumps.
#pragma once

#include "tools/conformance/corpus.h"

#include <string>

// A colour outside the palette: the background of records rendered alone.
constexpr uint32_t BACKGROUND_PIXEL = 0x123456;

// Writes frames.dump, shapes.dump and texts.dump into `directory`. Frames are drawn on an
// erased canvas without their text records; every other record alone on the background.
bool render_corpus(const Corpus &corpus, const std::string &directory, std::string &error);

// Compare the dumps of the Windows build (under Wine) with the native build's and print the
// report. Shapes: true when every frame and every non-text record agrees pixel for pixel
// (records for which Wine is no oracle left out, and counted apart). Texts: true when the
// bounding box of every text record's pixels lies within one pixel of Wine's on each side.
bool compare_shapes(const Corpus &corpus, const std::string &wine_directory,
                    const std::string &native_directory, std::string &error);
bool compare_texts(const Corpus &corpus, const std::string &wine_directory,
                   const std::string &native_directory, std::string &error);
