// The test fixture's parts on the real Windows API (run under Wine here): the program's own
// instance, the canvas read through one copy, and a click posted as the system would post it.
#include "package_fixture.h"

void PackageFixture::prepare_platform() {}

void PackageFixture::open() {
    char command_line[] = "";
    gfx_open(GetModuleHandleA(nullptr), nullptr, command_line, SW_SHOWNOACTIVATE);
    ASSERT_NE(graphics_window, nullptr) << "no window could be made: under Wine the tests need an "
                                           "X display (run them under xvfb-run)";
}

// The canvas is copied into a 32-bit top-down DIB section and read there: one blit instead of a
// GetPixel call per pixel.
std::vector<uint32_t> PackageFixture::canvas_snapshot() {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = CANVAS_WIDTH;
    info.bmiHeader.biHeight = -CANVAS_HEIGHT;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    HBITMAP copy = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC copy_dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(copy_dc, copy);
    BitBlt(copy_dc, 0, 0, CANVAS_WIDTH, CANVAS_HEIGHT, canvas.dc, 0, 0, SRCCOPY);
    GdiFlush();
    const uint32_t *pixels = static_cast<const uint32_t *>(bits);
    std::vector<uint32_t> snapshot(pixels, pixels + CANVAS_WIDTH * CANVAS_HEIGHT);
    for (uint32_t &pixel : snapshot) pixel &= 0xFFFFFF; // a DIB's pixels are 0x00RRGGBB already
    SelectObject(copy_dc, old);
    DeleteDC(copy_dc);
    DeleteObject(copy);
    return snapshot;
}

void PackageFixture::click_client(int x, int y) {
    post(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}
