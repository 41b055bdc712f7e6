// A fixture for tests of the package on the virtual display: a fresh process state per test
// (each test runs in its own process), a copy of every log line, and helpers to read pixels
// and to feed input.
#pragma once

#include "gfx/log_stream.h"
#include "gfx/state.h"
#include "platform/display/virtual/virtual_display.h"
#include "platform/kernel/global_memory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class PackageTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Installs a virtual display with this screen size; call before open() to change it.
    void use_screen(int width, int height);
    // gfx_open with the arguments a program's entry gets.
    void open();

    // Everything gfx_log produced since the last call, exactly as formatted.
    std::string take_log();

    // The canvas pixel at device (x, y), as 0x00RRGGBB.
    uint32_t canvas_pixel(int x, int y);
    // The canvas pixel under logical (x, y).
    uint32_t logical_pixel(int x, int y) { return canvas_pixel(origin_x + x, origin_y - y); }
    // Fills the whole canvas with one colour (a known background for pixel tests).
    void fill_canvas(uint32_t pixel);
    // The device pixels of the canvas that are not `background`: their bounding box.
    RECT changed_box(uint32_t background);

    // The graphics window's and the text window's presented content.
    int graphics_id();
    int text_id();
    const platform::Surface &shown(int window);

    // Input to the graphics window, in client coordinates (the menu bar lies above them).
    void click_client(int x, int y);
    // A key press: key-down and key-up of the virtual key (with its scan code).
    void press_key(int virtual_key);
    void key_down(int virtual_key);
    void key_up(int virtual_key);

    // Waits for one event.
    struct Event {
        int kind;
        int x;
        int y;
        char key;
    };
    Event await();
    // Handles every message that is due without waiting, and presents the windows.
    void await_idle();

    virtual_display::Display *display = nullptr;

  private:
    char *log_buffer_ = nullptr;
    size_t log_size_ = 0;
    FILE *log_file_ = nullptr;
    size_t log_taken_ = 0;
    std::string directory_;
};

// Set-1 scan code of a virtual key, as a keyboard sends it.
int scan_code_of(int virtual_key);

constexpr uint32_t pixel_of(COLORREF c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
