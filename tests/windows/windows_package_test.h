// A fixture for tests of the package on the real Windows API (run under Wine here): each test
// runs in a process of its own, in a directory of its own (KORVA.SCR lands there), with a copy
// of every log line, and helpers to read the canvas and to post the messages the system and the
// Run menu would send.
#pragma once

#include "gfx/log_stream.h"
#include "gfx/state.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

class WindowsPackageTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // gfx_open with the arguments a program's WinMain gets.
    void open();

    // Everything gfx_log produced since the last call, exactly as formatted.
    std::string take_log();

    // The canvas pixel at device (x, y), as a COLORREF.
    COLORREF canvas_pixel(int x, int y) { return GetPixel(canvas.dc, x, y); }
    // The canvas pixel under logical (x, y).
    COLORREF logical_pixel(int x, int y) { return canvas_pixel(origin_x + x, origin_y - y); }
    // Fills the whole canvas with one colour (a known background for pixel tests).
    void fill_canvas(COLORREF colour);
    // The bounding box of the device pixels of the canvas that are not `background`; right and
    // bottom are the last such column and row, -1 when there is none.
    RECT changed_box(COLORREF background);

    // Posts a message to the graphics window, as the system or the menu would.
    void post(UINT message, WPARAM wparam, LPARAM lparam);
    void command(WPARAM id) { post(WM_COMMAND, id, 0); }
    // A left-button press at a point of the client area.
    void click_client(int x, int y) { post(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }

    struct Event {
        int kind;
        int x;
        int y;
        char key;
    };
    // Waits for one event.
    Event await();
    // Handles every message that is queued, without waiting.
    void await_idle();

    // The whole content of a file in the test's directory, bytes as they are on disk.
    static std::string read_file(const char *name);
    static void write_file(const char *name, const std::string &bytes);

  private:
    std::filesystem::path directory_;
    std::filesystem::path previous_directory_;
    FILE *log_file_ = nullptr;
    long log_taken_ = 0;
};
