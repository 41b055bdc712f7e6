// What a window shows, kept so that presenting copies only the rows that changed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace sdl_display {

// Rows top (included) to bottom (excluded).
struct RowBand {
    int top = 0, bottom = 0;
    bool empty() const { return bottom <= top; }
};

class PresentedFrame {
  public:
    // Takes a new frame of 0x00RRGGBB pixels and returns the rows that differ from the last one:
    // all of them when the size changed.
    RowBand update(const uint32_t *pixels, int width, int height);

    // Writes `rows` of the kept frame into 32-bit destination pixels whose first row receives
    // frame row `rows.top` (`pitch` bytes a row), each pixel as a `scale` x `scale` square, with
    // `alpha` or-ed in (the destination's alpha mask, so that a window with an alpha channel
    // stays opaque). Nothing is written beyond `width` x `height` destination pixels.
    void write_scaled(RowBand rows, int scale, uint32_t alpha, void *destination, size_t pitch,
                      int width, int height) const;

    int width() const { return width_; }
    int height() const { return height_; }
    const uint32_t *row(int y) const { return pixels_.data() + size_t(y) * size_t(width_); }

  private:
    std::vector<uint32_t> pixels_;
    int width_ = 0, height_ = 0;
};

} // namespace sdl_display
