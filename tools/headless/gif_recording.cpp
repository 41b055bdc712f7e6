#include "tools/headless/gif_recording.h"

#include <cerrno>
#include <cstring>

namespace headless {

GifRecording::~GifRecording() {
    if (file_) std::fclose(file_);
}

bool GifRecording::begin(virtual_display::Display &display, int window, const std::string &path,
                         std::string &error) {
    const virtual_display::Window *w = window ? display.window(window) : nullptr;
    if (!w || !w->alive || w->presented.width <= 0 || w->presented.height <= 0) {
        error = "the window is not open";
        return false;
    }
    FILE *file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error = std::strerror(errno);
        return false;
    }
    display_ = &display;
    window_ = window;
    path_ = path;
    file_ = file;
    began_ = display.now();
    shown_since_ = 0;
    writer_ = std::make_unique<GifWriter>(w->presented.width, w->presented.height);
    return true;
}

// Virtual time since the start, to the nearest hundredth.
uint64_t GifRecording::hundredths_now() const {
    return (display_->now() - began_ + 5) / 10;
}

// The picture the window shows has been shown since shown_since_.
void GifRecording::add_shown_picture() {
    const platform::Surface &shown = display_->window(window_)->presented;
    writer_->add_picture(shown.pixels.data(), shown.width, shown.height, shown_since_);
}

void GifRecording::before_present(int window) {
    if (!active() || window != window_) return;
    uint64_t now = hundredths_now();
    if (now == shown_since_) return;
    add_shown_picture();
    shown_since_ = now;
}

bool GifRecording::end(std::string &error) {
    if (!active()) return true;
    add_shown_picture();
    if (writer_->colours_merged())
        std::fprintf(stderr,
                     "headless: %s: more than the 255 colours a GIF holds were shown; the "
                     "others are drawn as the nearest of them\n",
                     path_.c_str());
    bool ok = writer_->write(file_, hundredths_now(), error);
    if (std::fclose(file_) != 0 && ok) {
        ok = false;
        error = std::strerror(errno);
    }
    file_ = nullptr;
    writer_.reset();
    return ok;
}

} // namespace headless
