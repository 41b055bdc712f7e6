// KORVA.SCR in memory, for the fuzz targets: through the package's script opener, a playback
// reads `content` and a recording replaces it, so no file is made for an input. Faults can be
// set: a reading stream fails once `readable` bytes were read from it, and writes fail once
// `content` holds `writable` bytes, the last write taken in part, as on a full disk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace harness {

struct MemoryScript {
    std::string content;
    size_t readable = SIZE_MAX;
    size_t writable = SIZE_MAX;

    // Becomes the package's script opener (gfx/observe.h) until the package is put back.
    void install();
};

} // namespace harness
