// Shared set-up for the text tests: fonts started, and a memory DC drawing into a bitmap.
#pragma once

#include "platform/gdi/dc.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/text/text.h"
#include "platform/win.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

// A memory DC with a white bitmap of the given size selected.
struct Canvas {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;

    Canvas(int width, int height) {
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateCompatibleBitmap(dc, width, height);
        SelectObject(dc, bitmap);
        fill(0xFFFFFF);
    }
    platform::Surface &surface() { return gdi::find_bitmap(bitmap)->surface; }
    // Every pixel, row by row.
    std::vector<uint32_t> pixels() {
        platform::Surface &s = surface();
        return std::vector<uint32_t>(s.data(), s.data() + size_t(s.width) * size_t(s.height));
    }
    void fill(uint32_t pixel) {
        platform::Surface &s = surface();
        std::fill_n(s.data(), size_t(s.width) * size_t(s.height), pixel);
    }
    uint32_t at(int x, int y) { return surface().at(x, y); }
};

// Rows top..bottom and columns left..right of the canvas, '#' where a pixel is not white.
inline std::vector<std::string> ink(Canvas &canvas, int left, int top, int right, int bottom) {
    std::vector<std::string> rows;
    for (int y = top; y <= bottom; y++) {
        std::string row;
        for (int x = left; x <= right; x++) row += canvas.at(x, y) == 0xFFFFFF ? '.' : '#';
        rows.push_back(row);
    }
    return rows;
}

// The canvas font at a CreateFontA height, as the package creates it.
inline HFONT canvas_font(int height, int weight = FW_NORMAL) {
    return CreateFontA(height, 0, 0, 0, weight, 0, 0, 0, 0, 0, 0, 0, 0, "KORVA-font");
}

class TextTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(text::init(error)) << error;
    }
};
