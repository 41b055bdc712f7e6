#include "windows_package_test.h"

#include <fstream>
#include <sstream>
#include <vector>

void WindowsPackageTest::SetUp() {
    // Scripts are read and written in the current directory: give each test its own.
    previous_directory_ = std::filesystem::current_path();
    std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; directory_.empty(); attempt++) {
        std::filesystem::path candidate =
            base /
            ("korva-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(attempt));
        if (std::filesystem::create_directory(candidate)) directory_ = candidate;
    }
    std::filesystem::current_path(directory_);
    // The log copy goes to a file of the test's own (binary: no line-end translation).
    log_file_ = fopen("log.txt", "w+b");
    ASSERT_NE(log_file_, nullptr);
    gfx_log_stream = log_file_;
}

void WindowsPackageTest::TearDown() {
    gfx_log_stream = nullptr;
    close_script_file();
    if (log_file_) fclose(log_file_);
    std::filesystem::current_path(previous_directory_);
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
}

void WindowsPackageTest::open() {
    char command_line[] = "";
    gfx_open(GetModuleHandleA(nullptr), nullptr, command_line, SW_SHOWNOACTIVATE);
    ASSERT_NE(graphics_window, nullptr) << "no window could be made: under Wine the tests need an "
                                           "X display (run them under xvfb-run)";
}

std::string WindowsPackageTest::take_log() {
    fflush(log_file_);
    fseek(log_file_, 0, SEEK_END);
    long end = ftell(log_file_);
    std::string text(size_t(end - log_taken_), '\0');
    fseek(log_file_, log_taken_, SEEK_SET);
    size_t got = fread(text.data(), 1, text.size(), log_file_);
    text.resize(got);
    log_taken_ = end;
    fseek(log_file_, 0, SEEK_END);
    return text;
}

void WindowsPackageTest::fill_canvas(COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ old_brush = SelectObject(canvas.dc, brush);
    HGDIOBJ old_pen = SelectObject(canvas.dc, GetStockObject(NULL_PEN));
    Rectangle(canvas.dc, 0, 0, CANVAS_WIDTH + 1, CANVAS_HEIGHT + 1);
    SelectObject(canvas.dc, old_pen);
    SelectObject(canvas.dc, old_brush);
    DeleteObject(brush);
}

// The canvas is copied into a 32-bit top-down DIB section and scanned there: one blit instead
// of a GetPixel call per pixel.
RECT WindowsPackageTest::changed_box(COLORREF background) {
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

    // DIB pixels are 0x00RRGGBB, a COLORREF is 0x00BBGGRR.
    uint32_t wanted =
        (GetRValue(background) << 16) | (GetGValue(background) << 8) | GetBValue(background);
    const uint32_t *pixels = static_cast<const uint32_t *>(bits);
    RECT box = {CANVAS_WIDTH, CANVAS_HEIGHT, -1, -1};
    for (int y = 0; y < CANVAS_HEIGHT; y++)
        for (int x = 0; x < CANVAS_WIDTH; x++)
            if ((pixels[y * CANVAS_WIDTH + x] & 0xFFFFFF) != wanted) {
                if (x < box.left) box.left = x;
                if (y < box.top) box.top = y;
                if (x > box.right) box.right = x;
                if (y > box.bottom) box.bottom = y;
            }
    SelectObject(copy_dc, old);
    DeleteDC(copy_dc);
    DeleteObject(copy);
    return box;
}

void WindowsPackageTest::post(UINT message, WPARAM wparam, LPARAM lparam) {
    PostMessageA(graphics_window, message, wparam, lparam);
}

WindowsPackageTest::Event WindowsPackageTest::await() {
    Event event = {0, -1, -1, -1};
    event.kind = gfx_await_event(event.x, event.y, event.key);
    return event;
}

void WindowsPackageTest::await_idle() {
    while (pump_message()) {
    }
}

std::string WindowsPackageTest::read_file(const char *name) {
    std::ifstream file(name, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void WindowsPackageTest::write_file(const char *name, const std::string &bytes) {
    std::ofstream file(name, std::ios::binary);
    file << bytes;
}
