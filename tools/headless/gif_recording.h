// Records what one window of the virtual display shows as an animated GIF: each picture it
// presents becomes a frame, lasting until the next one by the virtual clock, rounded to the
// hundredths a GIF counts in. A picture replaced within the same hundredth is never seen and
// is left out.
#pragma once

#include "platform/display/virtual/virtual_display.h"
#include "tools/headless/gif_writer.h"

#include <cstdio>
#include <memory>
#include <string>

namespace headless {

class GifRecording {
  public:
    GifRecording() = default;
    GifRecording(const GifRecording &) = delete;
    GifRecording &operator=(const GifRecording &) = delete;
    ~GifRecording();

    // Starts recording `window` into `path`; the first frame is what the window shows now.
    // Returns false, with the reason, if the window shows nothing or the file cannot be written.
    bool begin(virtual_display::Display &display, int window, const std::string &path,
               std::string &error);
    bool active() const { return file_ != nullptr; }
    const std::string &path() const { return path_; }

    // `window` is about to present a new picture (the display's present observer).
    void before_present(int window);

    // Writes the file, the picture shown now being the last frame. Returns false, with the
    // reason, if it cannot be written.
    bool end(std::string &error);

  private:
    uint64_t hundredths_now() const;
    void add_shown_picture();

    virtual_display::Display *display_ = nullptr;
    int window_ = 0;
    std::string path_;
    FILE *file_ = nullptr;
    display::Time began_ = 0;
    uint64_t shown_since_ = 0; // hundredths: when the picture shown now was presented
    std::unique_ptr<GifWriter> writer_;
};

} // namespace headless
