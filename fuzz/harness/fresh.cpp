#include "fuzz/harness/fresh.h"

#include "gfx/observe.h"
#include "platform/gdi/text/text.h"
#include "platform/reset.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace harness {

namespace {

// The private directory fresh_start works in, made on first use.
const std::string &work_directory() {
    static const std::string path = [] {
        char pattern[] = "/tmp/korva-run-XXXXXX";
        if (!mkdtemp(pattern)) {
            std::perror("harness: mkdtemp");
            std::abort();
        }
        return std::string(pattern);
    }();
    return path;
}

void remove_work_directory() {
    std::error_code ignored;
    std::filesystem::remove_all(work_directory(), ignored);
}

} // namespace

virtual_display::Display &fresh_start(int screen_width, int screen_height) {
    static bool started = false;
    if (!started) {
        started = true;
        std::string error;
        if (!text::init(error)) {
            std::fprintf(stderr, "harness: %s\n", error.c_str());
            std::abort();
        }
        if (chdir(work_directory().c_str()) != 0) {
            std::perror("harness: chdir");
            std::abort();
        }
        std::atexit(remove_work_directory);
    }
    reset_package_state();
    platform::reset();
    // Whatever the last run left, a file, a link or a directory, goes.
    std::error_code ignored;
    for (const auto &entry : std::filesystem::directory_iterator(work_directory(), ignored))
        std::filesystem::remove_all(entry.path(), ignored);
    return virtual_display::install(screen_width, screen_height);
}

void finish() {
    reset_package_state();
    platform::reset();
    display::install(nullptr);
}

void LogCapture::keep(const char *line, void *capture) {
    static_cast<LogCapture *>(capture)->text_ += line;
}

LogCapture::LogCapture() {
    observe_log(keep, this);
}

LogCapture::~LogCapture() {
    if (log_observer_context == this) observe_log(nullptr, nullptr);
}

std::string LogCapture::take() {
    std::string text = text_.substr(taken_);
    taken_ = text_.size();
    return text;
}

std::string LogCapture::all() {
    return text_;
}

} // namespace harness
