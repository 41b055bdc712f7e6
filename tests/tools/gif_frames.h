// Reading an animated GIF back with giflib, for tests: each frame as the whole picture it leaves
// on the screen, with its delay and the rectangle it sent.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gif_test {

struct Frame {
    std::vector<uint32_t> picture; // 0x00RRGGBB, the GIF's width by its height
    int delay = 0;                 // hundredths of a second
    int left = 0, top = 0, width = 0, height = 0;
};

struct Animation {
    int width = 0, height = 0;
    int colours = 0;            // entries of the global colour table
    bool local_colours = false; // some frame has a colour table of its own
    bool loops_forever = false;
    bool keeps_frames = true; // every frame is left in place for the next (no disposal)
    std::vector<Frame> frames;

    int total_delay() const;
    // The frame on the screen `hundredths` after the start: the last to begin by then.
    const Frame &frame_at(int hundredths) const;
};

// Reads `path`. Returns false, with the reason, if giflib cannot decode it.
bool read_gif(const std::string &path, Animation &animation, std::string &error);

// The smallest rectangle holding every pixel that differs between two pictures of this width:
// left, top, width, height; all 0 when none does.
struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Rect &) const = default;
};
Rect changed_rect(const std::vector<uint32_t> &a, const std::vector<uint32_t> &b, int width);

} // namespace gif_test
