#include "tests/tools/gif_frames.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>

namespace gif_test {

int Animation::total_delay() const {
    int total = 0;
    for (const Frame &f : frames) total += f.delay;
    return total;
}

const Frame &Animation::frame_at(int hundredths) const {
    size_t shown = 0;
    for (int start = 0, i = 0; size_t(i) < frames.size(); start += frames[i++].delay)
        if (start <= hundredths) shown = size_t(i);
    return frames[shown];
}

namespace {

bool is_loop_forever(const SavedImage &image) {
    for (int i = 0; i + 1 < image.ExtensionBlockCount; i++) {
        const ExtensionBlock &name = image.ExtensionBlocks[i];
        const ExtensionBlock &data = image.ExtensionBlocks[i + 1];
        if (name.Function == APPLICATION_EXT_FUNC_CODE && name.ByteCount == 11 &&
            std::memcmp(name.Bytes, "NETSCAPE2.0", 11) == 0 && data.ByteCount == 3 &&
            data.Bytes[0] == 1 && data.Bytes[1] == 0 && data.Bytes[2] == 0)
            return true;
    }
    return false;
}

} // namespace

bool read_gif(const std::string &path, Animation &animation, std::string &error) {
    int code = 0;
    GifFileType *gif = DGifOpenFileName(path.c_str(), &code);
    if (!gif) {
        error = GifErrorString(code);
        return false;
    }
    if (DGifSlurp(gif) != GIF_OK || !gif->SColorMap) {
        error = gif->SColorMap ? GifErrorString(gif->Error) : "no global colour table";
        DGifCloseFile(gif, &code);
        return false;
    }
    animation = Animation{};
    animation.width = gif->SWidth;
    animation.height = gif->SHeight;
    animation.colours = gif->SColorMap->ColorCount;
    std::vector<uint32_t> screen(size_t(gif->SWidth) * size_t(gif->SHeight), 0);
    for (int i = 0; i < gif->ImageCount; i++) {
        const SavedImage &image = gif->SavedImages[i];
        const GifImageDesc &d = image.ImageDesc;
        animation.local_colours |= d.ColorMap != nullptr;
        animation.loops_forever |= is_loop_forever(image);
        GraphicsControlBlock control{};
        control.TransparentColor = NO_TRANSPARENT_COLOR;
        DGifSavedExtensionToGCB(gif, i, &control);
        animation.keeps_frames &= control.DisposalMode == DISPOSE_DO_NOT;
        const ColorMapObject *map = d.ColorMap ? d.ColorMap : gif->SColorMap;
        for (int y = 0; y < d.Height; y++)
            for (int x = 0; x < d.Width; x++) {
                int index = image.RasterBits[size_t(y) * size_t(d.Width) + size_t(x)];
                if (index == control.TransparentColor) continue;
                if (x + d.Left >= gif->SWidth || y + d.Top >= gif->SHeight ||
                    index >= map->ColorCount) {
                    error =
                        "frame " + std::to_string(i) + " lies outside the screen or its colours";
                    DGifCloseFile(gif, &code);
                    return false;
                }
                const GifColorType &c = map->Colors[index];
                screen[size_t(y + d.Top) * size_t(gif->SWidth) + size_t(x + d.Left)] =
                    uint32_t(c.Red) << 16 | uint32_t(c.Green) << 8 | c.Blue;
            }
        animation.frames.push_back(
            Frame{screen, control.DelayTime, d.Left, d.Top, d.Width, d.Height});
    }
    DGifCloseFile(gif, &code);
    return true;
}

Rect changed_rect(const std::vector<uint32_t> &a, const std::vector<uint32_t> &b, int width) {
    int left = width, right = 0, top = -1, bottom = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); i++) {
        if (a[i] == b[i]) continue;
        int x = int(i % size_t(width)), y = int(i / size_t(width));
        left = std::min(left, x);
        right = std::max(right, x + 1);
        if (top < 0) top = y;
        bottom = y + 1;
    }
    if (top < 0) return Rect{};
    return Rect{left, top, right - left, bottom - top};
}

} // namespace gif_test
