// What tests of the package need on any implementation of the Windows API, the stand-in or the
// real one: a directory of the test's own (KORVA.SCR lands there), a copy of every log line, the
// canvas's pixels, the event wait, and messages as the system and the Run menu send them. Each
// platform's fixture (`PackageTest`, in its own package_test.h) derives from this one and defines
// the members marked "per platform".
#pragma once

#include "gfx/observe.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class PackageFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // gfx_open with the arguments a program's WinMain gets. Per platform.
    void open();

    // Everything gfx_log produced since the last call, exactly as formatted.
    std::string take_log();

    // The canvas pixel at device (x, y), as 0x00RRGGBB.
    uint32_t canvas_pixel(int x, int y);
    // The canvas pixel under logical (x, y).
    uint32_t logical_pixel(int x, int y) { return canvas_pixel(origin_x + x, origin_y - y); }
    // Fills the whole canvas with one colour (a known background for pixel tests).
    void fill_canvas(uint32_t pixel);
    // The bounding box of the device pixels of the canvas that are not `background`; right and
    // bottom are the last such column and row, -1 when there is none.
    RECT changed_box(uint32_t background);
    // Every canvas pixel after `draw` has drawn on a canvas filled with `background`.
    std::vector<uint32_t> picture_of(const std::function<void()> &draw, uint32_t background);

    // Messages to the graphics window, as the system or the Run menu would post them.
    void post(UINT message, WPARAM wparam, LPARAM lparam);
    void command(WPARAM id) { post(WM_COMMAND, id, 0); }
    // A left-button press at a point of the client area. Per platform.
    void click_client(int x, int y);

    struct Event {
        int kind;
        int x;
        int y;
        char key;
    };
    // Waits for one event.
    Event await();
    // Handles every message that is due without waiting.
    void await_idle();

    // The text of a log ring slot, "<none>" when it holds no line.
    static std::string ring_line(int slot);
    // Whether a Run menu entry has its check mark.
    static bool checked(UINT id);

    // A whole file of the test's directory, bytes as they are on disk.
    static std::string read_file(const char *name);
    static void write_file(const char *name, const std::string &bytes);

  private:
    // What the platform needs before a test. Per platform.
    void prepare_platform();
    // Every canvas pixel, row by row, as 0x00RRGGBB. Per platform.
    std::vector<uint32_t> canvas_snapshot();

    // The log observer: keeps every line in log_.
    static void keep_line(const char *line, void *fixture);

    std::filesystem::path directory_;
    std::filesystem::path previous_directory_;
    std::string log_;
    size_t log_taken_ = 0;
};

// A COLORREF (0x00BBGGRR) as a pixel (0x00RRGGBB), and back: the conversion is its own inverse.
constexpr uint32_t pixel_of(COLORREF c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
