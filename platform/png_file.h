// Writing pixels to PNG files, for tests, debugging and the headless runner's shots.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Writes width x height pixels (0x00RRGGBB, rows of `stride` pixels) as an RGB PNG file.
// Returns false, with a reason in `error`, if the file cannot be written.
bool write_png(const std::string &path, const uint32_t *pixels, int width, int height, int stride,
               std::string &error);

// Reads an RGB or RGBA PNG file into 0x00RRGGBB pixels. Returns false, with a reason, on failure.
bool read_png(const std::string &path, std::vector<uint32_t> &pixels, int &width, int &height,
              std::string &error);

} // namespace platform
