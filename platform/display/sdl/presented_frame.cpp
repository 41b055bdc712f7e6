// The kept frame: row comparison and whole-factor scaling.
#include "platform/display/sdl/presented_frame.h"

#include <algorithm>
#include <cstring>

namespace sdl_display {

RowBand PresentedFrame::update(const uint32_t *pixels, int width, int height) {
    size_t row_bytes = size_t(width) * sizeof(uint32_t);
    if (width != width_ || height != height_) {
        width_ = width;
        height_ = height;
        pixels_.assign(pixels, pixels + size_t(width) * size_t(height));
        return RowBand{0, height};
    }
    RowBand changed{height, 0};
    for (int y = 0; y < height; y++) {
        const uint32_t *source = pixels + size_t(y) * size_t(width);
        uint32_t *kept = pixels_.data() + size_t(y) * size_t(width);
        if (std::memcmp(source, kept, row_bytes) == 0) continue;
        std::memcpy(kept, source, row_bytes);
        changed.top = std::min(changed.top, y);
        changed.bottom = y + 1;
    }
    return changed.empty() ? RowBand{} : changed;
}

void PresentedFrame::write_scaled(RowBand rows, int scale, uint32_t alpha, void *destination,
                                  size_t pitch, int width, int height) const {
    if (scale < 1) return;
    int columns = std::min(width_, width / scale);
    int top = std::max(rows.top, 0);
    int bottom = std::min({rows.bottom, height_, top + height / scale});
    auto *bytes = static_cast<unsigned char *>(destination);
    for (int y = top; y < bottom; y++) {
        unsigned char *band_row = bytes + size_t(y - top) * size_t(scale) * pitch;
        auto *first = reinterpret_cast<uint32_t *>(band_row);
        const uint32_t *source = row(y);
        if (scale == 1) {
            for (int x = 0; x < columns; x++) first[x] = source[x] | alpha;
            continue;
        }
        for (int x = 0; x < columns; x++)
            std::fill_n(first + size_t(x) * size_t(scale), scale, source[x] | alpha);
        for (int copy = 1; copy < scale; copy++)
            std::memcpy(band_row + size_t(copy) * pitch, first,
                        size_t(columns) * size_t(scale) * sizeof(uint32_t));
    }
}

} // namespace sdl_display
