#include "tools/headless/gif_writer.h"

#include <gif_lib.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace headless {

namespace {

constexpr uint8_t TRANSPARENT = 0;
constexpr size_t MAX_COLOURS = 256;
// A GIF delay is 16 bits of hundredths; a picture shown longer is followed by frames that change
// nothing and carry the rest of its time.
constexpr uint64_t LONGEST_DELAY = 65535;
// Pixels are compared 16 at a time: a mask of those that differ, one bit each.
constexpr int BLOCK = 16;

#if defined(__SSE2__)
// Four vector compares, packed down to one bit a pixel.
uint32_t differing_pixels(const uint32_t *a, const uint32_t *b) {
    __m128i same[4];
    for (int k = 0; k < 4; k++)
        same[k] = _mm_cmpeq_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i *>(a) + k),
                                  _mm_loadu_si128(reinterpret_cast<const __m128i *>(b) + k));
    __m128i packed =
        _mm_packs_epi16(_mm_packs_epi32(same[0], same[1]), _mm_packs_epi32(same[2], same[3]));
    return ~uint32_t(_mm_movemask_epi8(packed)) & 0xFFFF;
}
#else
uint32_t differing_pixels(const uint32_t *a, const uint32_t *b) {
    uint32_t mask = 0;
    for (int k = 0; k < BLOCK; k++) mask |= uint32_t(a[k] != b[k]) << k;
    return mask;
}
#endif

// The file giflib writes to, with the first error a write met.
struct Output {
    FILE *file;
    int error = 0;
};

int write_output(GifFileType *gif, const GifByteType *bytes, int length) {
    Output &output = *static_cast<Output *>(gif->UserData);
    size_t written = std::fwrite(bytes, 1, size_t(length), output.file);
    if (written != size_t(length) && !output.error) output.error = errno ? errno : EIO;
    return int(written);
}

// The NETSCAPE2.0 application extension: play the frames over and over, forever.
bool put_loop_forever(GifFileType *gif) {
    static const GifByteType application[] = {'N', 'E', 'T', 'S', 'C', 'A',
                                              'P', 'E', '2', '.', '0'};
    static const GifByteType loop_forever[] = {1, 0, 0};
    return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
           EGifPutExtensionBlock(gif, sizeof application, application) == GIF_OK &&
           EGifPutExtensionBlock(gif, sizeof loop_forever, loop_forever) == GIF_OK &&
           EGifPutExtensionTrailer(gif) == GIF_OK;
}

bool put_delay(GifFileType *gif, uint64_t delay, bool transparent) {
    GraphicsControlBlock control;
    control.DisposalMode = DISPOSE_DO_NOT;
    control.UserInputFlag = false;
    control.DelayTime = int(delay);
    control.TransparentColor = transparent ? TRANSPARENT : NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    size_t length = EGifGCBToExtension(&control, extension);
    return EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(length), extension) == GIF_OK;
}

// An image and its compressed pixels. giflib writes the LZW code size it takes from the global
// colour map's depth: it is set to the depth the pixels were compressed with.
bool put_image(GifFileType *gif, int left, int top, int width, int height, int code_size,
               const std::vector<uint8_t> &blocks) {
    gif->SColorMap->BitsPerPixel = code_size;
    if (EGifPutImageDesc(gif, left, top, width, height, false, nullptr) != GIF_OK) return false;
    for (size_t at = 0; at < blocks.size(); at += size_t(blocks[at]) + 1)
        if (EGifPutCodeNext(gif, &blocks[at]) != GIF_OK) return false;
    return EGifPutCodeNext(gif, nullptr) == GIF_OK;
}

} // namespace

GifWriter::GifWriter(int width, int height)
    : width_(std::max(width, 1)), height_(std::max(height, 1)),
      shown_(size_t(width_) * size_t(height_), 0), mapped_(shown_.size(), TRANSPARENT),
      colours_(1, 0) {}

// The index of a colour, given one the first time it is seen. Past the 255 a GIF holds, a colour
// is drawn as the nearest one kept.
uint8_t GifWriter::colour_index(uint32_t pixel) {
    Cached &cached = cache_[(pixel * 0x9E3779B1u) >> 24];
    if (cached.pixel == pixel) return cached.index;
    cached.pixel = pixel;
    cached.index = lookup_colour(pixel);
    return cached.index;
}

uint8_t GifWriter::lookup_colour(uint32_t pixel) {
    auto found = index_of_.find(pixel);
    if (found != index_of_.end()) return found->second;
    uint8_t index = 0;
    if (colours_.size() < MAX_COLOURS) {
        index = uint8_t(colours_.size());
        colours_.push_back(pixel);
    } else {
        colours_merged_ = true;
        auto distance = [&](uint32_t c) {
            int dr = int(c >> 16 & 0xFF) - int(pixel >> 16 & 0xFF);
            int dg = int(c >> 8 & 0xFF) - int(pixel >> 8 & 0xFF);
            int db = int(c & 0xFF) - int(pixel & 0xFF);
            return dr * dr + dg * dg + db * db;
        };
        for (size_t i = 1; i < colours_.size(); i++)
            if (index == 0 || distance(colours_[i]) < distance(colours_[index])) index = uint8_t(i);
    }
    index_of_.emplace(pixel, index);
    return index;
}

// Bits for every index given out so far (at least 2, as GIF's LZW needs).
int GifWriter::code_size() const {
    int bits = 2;
    while ((size_t(1) << bits) < colours_.size()) bits++;
    return bits;
}

// A row of the first frame: every pixel as its colour.
void GifWriter::map_all(const uint32_t *now, uint32_t *shown, uint8_t *out, int width) {
    for (int x = 0; x < width; x++) out[x] = colour_index(now[x]);
    std::memcpy(shown, now, size_t(width) * sizeof(uint32_t));
}

// A row of a later frame: the pixels that changed as their colours, the others transparent.
// Widens `changed` to the pixels that changed.
void GifWriter::map_changed(const uint32_t *now, uint32_t *shown, uint8_t *out, int width,
                            Rect &changed, int y) {
    int first = width, last = -1;
    auto map_pixel = [&](int x) {
        out[x] = colour_index(now[x]);
        shown[x] = now[x];
        first = std::min(first, x);
        last = x;
    };
    int x = 0;
    for (; x + BLOCK <= width; x += BLOCK) {
        std::memset(out + x, TRANSPARENT, BLOCK);
        for (uint32_t mask = differing_pixels(now + x, shown + x); mask; mask &= mask - 1)
            map_pixel(x + std::countr_zero(mask));
    }
    for (; x < width; x++) {
        out[x] = TRANSPARENT;
        if (now[x] != shown[x]) map_pixel(x);
    }
    if (last < 0) return;
    if (changed.left >= changed.right) changed.top = y;
    changed.left = std::min(changed.left, first);
    changed.right = std::max(changed.right, last + 1);
    changed.bottom = y + 1;
}

// Maps the picture into mapped_, whole rows, and returns the rectangle to send: all of it for
// the first frame, else the pixels that changed (empty, left == right, when none did).
GifWriter::Rect GifWriter::map_picture(const uint32_t *pixels, int width, int height) {
    const bool first = frames_.empty();
    Rect changed = first ? Rect{0, 0, width_, height_} : Rect{width, 0, 0, 0};
    for (int y = 0; y < height; y++) {
        const uint32_t *now = pixels + size_t(y) * size_t(width);
        uint32_t *shown = shown_.data() + size_t(y) * size_t(width_);
        uint8_t *out = mapped_.data() + size_t(y) * size_t(width_);
        if (first)
            map_all(now, shown, out, width);
        else
            map_changed(now, shown, out, width, changed, y);
    }
    return changed;
}

void GifWriter::add_picture(const uint32_t *pixels, int width, int height, uint64_t start) {
    Rect r = map_picture(pixels, std::min(width, width_), std::min(height, height_));
    if (r.left >= r.right) return;

    Frame frame;
    frame.left = r.left;
    frame.top = r.top;
    frame.width = r.right - r.left;
    frame.height = r.bottom - r.top;
    frame.transparent = !frames_.empty();
    frame.start = start;
    // The rectangle's rows, side by side; whole rows are that already.
    const uint8_t *indices = mapped_.data() + size_t(r.top) * size_t(width_) + size_t(r.left);
    if (frame.width < width_) {
        cropped_.resize(size_t(frame.width) * size_t(frame.height));
        for (int y = 0; y < frame.height; y++)
            std::memcpy(cropped_.data() + size_t(y) * size_t(frame.width),
                        indices + size_t(y) * size_t(width_), size_t(frame.width));
        indices = cropped_.data();
    }
    frame.code_size = code_size();
    encoder_.compress(indices, size_t(frame.width) * size_t(frame.height), frame.code_size,
                      frame.blocks);
    frames_.push_back(std::move(frame));
}

bool GifWriter::write(FILE *file, uint64_t end, std::string &error) const {
    Output output{file};
    int gif_error = 0;
    GifFileType *gif = EGifOpen(&output, write_output, &gif_error);
    if (!gif) {
        error = GifErrorString(gif_error);
        return false;
    }
    EGifSetGifVersion(gif, true);
    ColorMapObject *map = GifMakeMapObject(1 << code_size(), nullptr);
    bool ok = map != nullptr;
    if (ok) {
        for (size_t i = 0; i < colours_.size(); i++)
            map->Colors[i] = GifColorType{GifByteType(colours_[i] >> 16),
                                          GifByteType(colours_[i] >> 8), GifByteType(colours_[i])};
        ok = EGifPutScreenDesc(gif, width_, height_, 8, 0, map) == GIF_OK && put_loop_forever(gif);
        GifFreeMapObject(map);
    }

    // Each frame lasts until the next one starts; the hold frames are one unchanged pixel.
    std::vector<uint8_t> hold_blocks;
    const uint8_t unchanged = TRANSPARENT;
    LzwEncoder().compress(&unchanged, 1, 2, hold_blocks);
    for (size_t i = 0; ok && i < frames_.size(); i++) {
        const Frame &f = frames_[i];
        uint64_t until = i + 1 < frames_.size() ? frames_[i + 1].start : std::max(end, f.start);
        uint64_t delay = until - f.start;
        ok = put_delay(gif, std::min(delay, LONGEST_DELAY), f.transparent) &&
             put_image(gif, f.left, f.top, f.width, f.height, f.code_size, f.blocks);
        for (delay -= std::min(delay, LONGEST_DELAY); ok && delay > 0;
             delay -= std::min(delay, LONGEST_DELAY))
            ok = put_delay(gif, std::min(delay, LONGEST_DELAY), true) &&
                 put_image(gif, 0, 0, 1, 1, 2, hold_blocks);
    }
    if (!ok && !output.error) error = GifErrorString(gif->Error);
    if (EGifCloseFile(gif, &gif_error) != GIF_OK && ok) {
        ok = false;
        if (!output.error) error = GifErrorString(gif_error);
    }
    if (output.error) error = std::strerror(output.error);
    return ok && !output.error;
}

} // namespace headless
