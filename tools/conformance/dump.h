// Pixel dumps: a file of canvases, each stored as runs of equal pixels in row order. Raw and
// uncompressed, so both builds read and write them with the C library alone.
//   header   "KORVADMP", then width, height and the number of canvases (32-bit little-endian)
//   canvas   the number of runs, then per run its length and its pixel (0x00RRGGBB)
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class DumpWriter {
  public:
    // Opens `path` for writing; check ok().
    DumpWriter(const std::string &path, int width, int height);
    ~DumpWriter();
    bool ok() const { return file_ != nullptr && !failed_; }
    void add(const uint32_t *pixels);
    // Writes the canvas count into the header and closes the file; false on any write error.
    bool finish();

  private:
    FILE *file_;
    int width_, height_;
    uint32_t count_ = 0;
    bool failed_ = false;
    std::vector<uint32_t> runs_;
};

class DumpReader {
  public:
    explicit DumpReader(const std::string &path);
    ~DumpReader();
    // Empty when the file could be opened and its header is sound.
    const std::string &error() const { return error_; }
    uint32_t count() const { return count_; }
    // Reads the next canvas into `pixels` (width x height); false with error() set when the
    // file ends early or its runs do not cover exactly one canvas.
    bool next(std::vector<uint32_t> &pixels);
    // The same, as the canvas's runs: length and pixel of each in turn. Equal canvases have
    // equal runs, so comparing runs spares decoding.
    bool next_runs(std::vector<uint32_t> &runs);
    // The pixels that runs from next_runs stand for.
    void decode(const std::vector<uint32_t> &runs, std::vector<uint32_t> &pixels) const;

  private:
    FILE *file_;
    std::string path_;
    std::string error_;
    uint32_t width_ = 0, height_ = 0, count_ = 0;
};
