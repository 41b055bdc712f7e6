// An animated GIF built from the pictures a window showed, written with giflib. One global colour
// table holds the colours used (index 0 is kept for "unchanged"); each frame after the first is
// cropped to the rectangle that changed, with the pixels in it that did not change transparent.
// Frames are compressed as they come and kept in memory, since the colour table, written first
// in the file, is known only at the end.
#pragma once

#include "tools/headless/gif_lzw.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

namespace headless {

class GifWriter {
  public:
    // A GIF of this size: the size of its first picture.
    GifWriter(int width, int height);

    // Adds the picture shown from `start` (hundredths of a second since the first picture) on:
    // `pixels` are 0x00RRGGBB, rows of `width` pixels; what lies outside the GIF's size is cut
    // off. A picture the same as the one before only makes that one last longer. Starts come in
    // order.
    void add_picture(const uint32_t *pixels, int width, int height, uint64_t start);

    // Writes the GIF, looping forever, its last picture lasting until `end`, to `file`. Returns
    // false, with the reason, if it cannot be written.
    bool write(FILE *file, uint64_t end, std::string &error) const;

    int frame_count() const { return int(frames_.size()); }
    // More colours than a GIF holds were shown; each was drawn as the nearest one kept.
    bool colours_merged() const { return colours_merged_; }

  private:
    struct Frame {
        int left = 0, top = 0, width = 0, height = 0;
        int code_size = 0;
        bool transparent = false;
        uint64_t start = 0;
        std::vector<uint8_t> blocks; // the compressed pixels, as GIF sub-blocks
    };
    struct Rect {
        int left, top, right, bottom; // right and bottom exclusive
    };

    Rect map_picture(const uint32_t *pixels, int width, int height);
    void map_all(const uint32_t *now, uint32_t *shown, uint8_t *out, int width);
    void map_changed(const uint32_t *now, uint32_t *shown, uint8_t *out, int width, Rect &changed,
                     int y);
    uint8_t colour_index(uint32_t pixel);
    uint8_t lookup_colour(uint32_t pixel);
    int code_size() const;

    int width_, height_;
    std::vector<uint32_t> shown_;   // the picture as the frames so far leave it
    std::vector<uint8_t> mapped_;   // the picture being added as indices, whole rows
    std::vector<uint8_t> cropped_;  // the rectangle sent of it
    std::vector<uint32_t> colours_; // by index; index 0 is the transparent one
    std::unordered_map<uint32_t, uint8_t> index_of_;
    // The colours looked up lately, by a hash of the pixel.
    struct Cached {
        uint32_t pixel = 0xFF000000; // no pixel is this
        uint8_t index = 0;
    };
    Cached cache_[256];
    bool colours_merged_ = false;
    std::vector<Frame> frames_;
    LzwEncoder encoder_;
};

} // namespace headless
