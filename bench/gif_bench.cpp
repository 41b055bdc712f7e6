// Writing an animated GIF of the demo, as the headless runner's `gif` action does: the cost of
// one frame of the GIF (finding what changed, mapping its colours, compressing it) beside the
// cost of the frame itself, drawn, copied to the graphics window and presented. The pictures
// are those the demo's scene gives phase after phase (the sun's rings widen, the shore drifts,
// the fish swim), with the panel and nine bugs, as the virtual display shows them. Beside the
// compression, giflib's own encoder compressing the same pixels.
#include "bench/demo_frame.h"
#include "platform/display/virtual/virtual_display.h"
#include "tools/headless/gif_writer.h"
#include "tools/headless/runner.h"

#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <cstdio>
#include <cstdlib>
#include <unordered_map>
#include <vector>

namespace {

constexpr int PHASES = 51; // the scene's phases, 0 to 50

const platform::Surface &graphics_window() {
    auto &display = static_cast<virtual_display::Display &>(display::backend());
    return display.window(display.find_window(headless::GRAPHICS_TITLE))->presented;
}

// Draws the frame of this phase and presents it, as a pass of the event pump does.
void show_frame(int phase) {
    bench::draw_frame(phase);
    copy_canvas_to_window();
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
}

// The pictures of every phase, as the window presents them.
std::vector<platform::Surface> pictures() {
    std::vector<platform::Surface> shown;
    for (int phase = 0; phase < PHASES; phase++) {
        show_frame(phase);
        shown.push_back(graphics_window());
    }
    return shown;
}

void frame(benchmark::State &state) {
    int phase = 0;
    for (auto _ : state) {
        show_frame(phase);
        phase = (phase + 1) % PHASES;
    }
}

// One frame of a GIF ten frames a second long, the first (the whole picture) included once.
void gif_frame(benchmark::State &state, const std::vector<platform::Surface> &shown) {
    const platform::Surface &first = shown[0];
    headless::GifWriter writer(first.width, first.height);
    uint64_t start = 0;
    size_t k = 0;
    for (auto _ : state) {
        const platform::Surface &picture = shown[k];
        writer.add_picture(picture.pixels.data(), picture.width, picture.height, start);
        start += 10;
        k = (k + 1) % shown.size();
    }
    if (writer.frame_count() == 0) std::abort();
}

// The pixels of each picture as a GIF frame sends them: transparent (0) where the picture
// before it is the same, else the index of its colour.
std::vector<std::vector<uint8_t>> frame_indices(const std::vector<platform::Surface> &shown) {
    std::unordered_map<uint32_t, uint8_t> index_of;
    std::vector<std::vector<uint8_t>> frames;
    for (size_t k = 0; k < shown.size(); k++) {
        const std::vector<uint32_t> &now = shown[k].pixels;
        const std::vector<uint32_t> &before = shown[(k + shown.size() - 1) % shown.size()].pixels;
        std::vector<uint8_t> indices(now.size());
        for (size_t i = 0; i < now.size(); i++)
            indices[i] = now[i] == before[i]
                             ? 0
                             : index_of.emplace(now[i], uint8_t(index_of.size() + 1)).first->second;
        frames.push_back(std::move(indices));
    }
    return frames;
}

constexpr int CODE_SIZE = 5; // the demo shows fewer than 32 colours

void compress(benchmark::State &state, const std::vector<std::vector<uint8_t>> &frames) {
    headless::LzwEncoder encoder;
    std::vector<uint8_t> blocks;
    size_t k = 0;
    for (auto _ : state) {
        encoder.compress(frames[k].data(), frames[k].size(), CODE_SIZE, blocks);
        benchmark::DoNotOptimize(blocks.data());
        k = (k + 1) % frames.size();
    }
}

int discard(GifFileType *, const GifByteType *, int length) {
    return length;
}

void compress_giflib(benchmark::State &state, const std::vector<std::vector<uint8_t>> &frames,
                     int width) {
    int height = int(frames[0].size()) / width, error = 0;
    ColorMapObject *map = GifMakeMapObject(1 << CODE_SIZE, nullptr);
    std::vector<uint8_t> row;
    size_t k = 0;
    for (auto _ : state) {
        GifFileType *gif = EGifOpen(nullptr, discard, &error);
        EGifPutScreenDesc(gif, width, height, 8, 0, map);
        EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr);
        for (int y = 0; y < height; y++) {
            row.assign(frames[k].begin() + y * width, frames[k].begin() + (y + 1) * width);
            EGifPutLine(gif, row.data(), width);
        }
        EGifCloseFile(gif, &error);
        k = (k + 1) % frames.size();
    }
    GifFreeMapObject(map);
}

} // namespace

int main(int argc, char **argv) {
    bench::open_package();
    static const std::vector<platform::Surface> shown = pictures();
    static const std::vector<std::vector<uint8_t>> indices = frame_indices(shown);
    benchmark::RegisterBenchmark("gif/frame", frame);
    benchmark::RegisterBenchmark("gif/write_frame", gif_frame, std::cref(shown));
    benchmark::RegisterBenchmark("gif/compress", compress, std::cref(indices));
    benchmark::RegisterBenchmark("gif/compress_giflib", compress_giflib, std::cref(indices),
                                 shown[0].width);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    display::install(nullptr);
    return 0;
}
