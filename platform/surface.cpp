// Surfaces, whose rows scroll by moving where they start.
#include "platform/surface.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace platform {

namespace {

// Blocks up to this many pixels (32 MB) are kept whatever size the surface takes next.
constexpr size_t MAX_KEPT_SPARE = size_t(1) << 23;

} // namespace

Surface::Surface(Surface &&other) noexcept
    : width(other.width), height(other.height), clip(other.clip), origin_x(other.origin_x),
      origin_y(other.origin_y), changed(other.changed), block_(std::move(other.block_)),
      ids_(std::move(other.ids_)), start_(other.start_) {
    other = Surface{};
}

Surface &Surface::operator=(Surface &&other) noexcept {
    if (this == &other) return *this;
    width = other.width;
    height = other.height;
    clip = other.clip;
    origin_x = other.origin_x;
    origin_y = other.origin_y;
    changed = other.changed;
    block_ = std::move(other.block_);
    ids_ = std::move(other.ids_);
    start_ = other.start_;
    // What is left of it holds nothing.
    other.width = other.height = 0;
    other.block_.clear();
    other.ids_.clear();
    other.start_ = 0;
    return *this;
}

void Surface::resize(int w, int h, uint32_t fill) {
    width = std::max(w, 0);
    height = std::max(h, 0);
    start_ = 0;
    const size_t count = size_t(width) * size_t(height);
    make_room(count);
    static_assert(sizeof(wchar_t) == sizeof(uint32_t), "wmemset fills 32-bit units");
    std::wmemset(reinterpret_cast<wchar_t *>(block_.data()), static_cast<wchar_t>(fill), count);
    renew_ids();
    clip = bounds();
    origin_x = origin_y = 0;
}

void Surface::make_room(size_t count) {
    if (block_.size() < count)
        block_.resize(count);
    else if (block_.size() > 4 * count && block_.size() > MAX_KEPT_SPARE)
        std::vector<uint32_t>(count).swap(block_);
}

void Surface::renew_ids() {
    ids_.resize(size_t(height));
    for (RowId &id : ids_) id = RowId{++last_id_, 0};
}

uint32_t *Surface::data() {
    renew_ids();
    return pixels_at(0);
}

Surface::Writes Surface::begin_writes() {
    Writes writes{pixels_at(0), ids_.data(), last_id_ + 1};
    last_id_ += uint64_t(height);
    return writes;
}

void Surface::copy_row(int y, const Surface &source, int source_y, int64_t source_x) {
    RowId id = source.row_id(source_y);
    id.x += source_x;
    if (ids_[size_t(y)] == id) return;
    ids_[size_t(y)] = id;
    std::memcpy(pixels_at(y), source.row(source_y) + source_x, size_t(width) * sizeof(uint32_t));
}

// memcpy rather than the vector's own copy, which goes through memmove: the sanitizers' memmove
// is a plain loop, and surfaces are copied often (each presented frame, each restored run).
void Surface::assign(const uint32_t *pixels, int w, int h) {
    width = std::max(w, 0);
    height = std::max(h, 0);
    start_ = 0;
    size_t count = size_t(width) * size_t(height);
    make_room(count);
    if (count > 0) std::memcpy(block_.data(), pixels, count * sizeof(uint32_t));
    renew_ids();
    clip = bounds();
    origin_x = origin_y = 0;
}

Surface &Surface::operator=(const Surface &other) {
    if (this == &other) return *this;
    if (width == other.width && height == other.height) {
        for (int y = 0; y < height; y++) copy_row(y, other, y);
    } else {
        assign(other.data(), other.width, other.height);
        ids_ = other.ids_;
    }
    clip = other.clip;
    origin_x = other.origin_x;
    origin_y = other.origin_y;
    changed = other.changed;
    return *this;
}

void Surface::move_rows(size_t to, size_t from, size_t count) {
    if (to == from || count == 0) return;
    uint32_t *target = block_.data() + to * size_t(width);
    const uint32_t *origin = block_.data() + from * size_t(width);
    size_t bytes = count * size_t(width) * sizeof(uint32_t);
    // memcpy where the rows do not overlap (see assign).
    if (to + count <= from || from + count <= to)
        std::memcpy(target, origin, bytes);
    else
        std::memmove(target, origin, bytes);
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
        std::copy(ids_.begin() + first + long(distance), ids_.end(), ids_.begin() + first);
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
        std::copy_backward(ids_.begin() + first, ids_.end() - long(distance), ids_.end());
    }
}

} // namespace platform
