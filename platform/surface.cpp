// Surfaces, whose rows scroll by moving where they start.
#include "platform/surface.h"

#include <algorithm>
#include <cstring>

namespace platform {

void Surface::resize(int w, int h, uint32_t fill) {
    width = std::max(w, 0);
    height = std::max(h, 0);
    start_ = 0;
    block_.assign(size_t(width) * size_t(height), fill);
    block_.shrink_to_fit();
    clip = bounds();
    origin_x = origin_y = 0;
}

void Surface::assign(const uint32_t *pixels, int w, int h) {
    width = std::max(w, 0);
    height = std::max(h, 0);
    start_ = 0;
    block_.assign(pixels, pixels + size_t(width) * size_t(height));
    clip = bounds();
    origin_x = origin_y = 0;
}

void Surface::move_rows(size_t to, size_t from, size_t count) {
    if (to == from || count == 0) return;
    std::memmove(block_.data() + to * size_t(width), block_.data() + from * size_t(width),
                 count * size_t(width) * sizeof(uint32_t));
}

void Surface::scroll(int first, int dy) {
    first = std::clamp(first, 0, height);
    const size_t rows = size_t(height - first); // rows that scroll
    const size_t distance = size_t(dy < 0 ? -int64_t(dy) : int64_t(dy));
    if (width == 0 || rows == 0 || dy == 0 || distance >= rows) return; // nothing moves
    // Spare rows three times as many as the content has, so that the content is copied as a
    // whole at most once every 3 height / distance scrolls: spread over them, a third of what
    // copying the uncovered rows costs.
    const size_t total = size_t(height);
    const size_t block_rows = 4 * total;
    if (block_.size() < block_rows * size_t(width)) block_.resize(block_rows * size_t(width));

    if (dy < 0) {
        // Up: the content starts `distance` rows further on. The fixed rows above `first` move
        // along with the start, and the last `distance` rows keep their pixels: both copied.
        if (start_ + distance + total > block_rows) {
            move_rows(0, start_, total);
            start_ = 0;
        }
        const size_t old = start_;
        start_ += distance;
        move_rows(start_ + total - distance, old + total - distance, distance);
        move_rows(start_, old, size_t(first));
    } else {
        // Down: the content starts `distance` rows earlier; the fixed rows move back with the
        // start, and the first `distance` scrolling rows keep their pixels.
        if (start_ < distance) {
            move_rows(block_rows - total, start_, total);
            start_ = block_rows - total;
        }
        const size_t old = start_;
        start_ -= distance;
        move_rows(start_, old, size_t(first));
        move_rows(start_ + size_t(first), old + size_t(first), distance);
    }
}

} // namespace platform
