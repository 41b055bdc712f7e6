#include "package_test.h"

#include "platform/gdi/text/text.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

void PackageTest::SetUp() {
    // Scripts are read and written in the current directory: give each test its own.
    char pattern[] = "/tmp/korva-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    directory_ = pattern;
    ASSERT_EQ(chdir(directory_.c_str()), 0);
    use_screen(1024, 768);
    std::string error;
    ASSERT_TRUE(text::init(error)) << error;
    log_file_ = open_memstream(&log_buffer_, &log_size_);
    gfx_log_stream = log_file_;
}

void PackageTest::TearDown() {
    gfx_log_stream = nullptr;
    if (log_file_) fclose(log_file_);
    free(log_buffer_);
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
}

void PackageTest::use_screen(int width, int height) {
    display = &virtual_display::install(width, height);
}

void PackageTest::open() {
    char command_line[] = "";
    gfx_open(nullptr, nullptr, command_line, SW_SHOWDEFAULT);
}

std::string PackageTest::take_log() {
    fflush(log_file_);
    std::string text(log_buffer_ + log_taken_, log_size_ - log_taken_);
    log_taken_ = log_size_;
    return text;
}

uint32_t PackageTest::canvas_pixel(int x, int y) {
    return pixel_of(GetPixel(canvas.dc, x, y));
}

void PackageTest::fill_canvas(uint32_t pixel) {
    COLORREF colour = pixel_of(pixel); // the conversion is its own inverse
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ old_brush = SelectObject(canvas.dc, brush);
    HGDIOBJ old_pen = SelectObject(canvas.dc, GetStockObject(NULL_PEN));
    Rectangle(canvas.dc, 0, 0, CANVAS_WIDTH + 1, CANVAS_HEIGHT + 1);
    SelectObject(canvas.dc, old_pen);
    SelectObject(canvas.dc, old_brush);
    DeleteObject(brush);
}

RECT PackageTest::changed_box(uint32_t background) {
    RECT box = {CANVAS_WIDTH, CANVAS_HEIGHT, -1, -1};
    for (int y = 0; y < CANVAS_HEIGHT; y++)
        for (int x = 0; x < CANVAS_WIDTH; x++)
            if (canvas_pixel(x, y) != background) {
                if (x < box.left) box.left = x;
                if (y < box.top) box.top = y;
                if (x > box.right) box.right = x;
                if (y > box.bottom) box.bottom = y;
            }
    return box;
}

int PackageTest::graphics_id() {
    return display->find_window("KORVA Graphics");
}
int PackageTest::text_id() {
    return display->find_window("KORVA Text");
}

const platform::Surface &PackageTest::shown(int window) {
    return display->window(window)->presented;
}

void PackageTest::click_client(int x, int y) {
    display->click(graphics_id(), x, y + GetSystemMetrics(SM_CYMENU));
}

int scan_code_of(int virtual_key) {
    static const char letters[] = "QWERTYUIOP\0\0\0\0ASDFGHJKL\0\0\0\0\0ZXCVBNM";
    for (int i = 0; i < int(sizeof letters); i++)
        if (letters[i] == virtual_key) return 0x10 + i;
    switch (virtual_key) {
    case VK_CONTROL: return 0x1D;
    case VK_SHIFT: return 0x2A;
    case VK_MENU: return 0x38;
    case VK_RETURN: return 0x1C;
    case VK_ESCAPE: return 0x01;
    case VK_F10: return 0x44;
    case VK_F2: return 0x3C;
    case VK_NUMPAD1: return 0x4F;
    default: return 0;
    }
}

void PackageTest::key_down(int virtual_key) {
    display->key_down(virtual_key, scan_code_of(virtual_key));
}
void PackageTest::key_up(int virtual_key) {
    display->key_up(virtual_key, scan_code_of(virtual_key));
}

void PackageTest::press_key(int virtual_key) {
    key_down(virtual_key);
    key_up(virtual_key);
}

PackageTest::Event PackageTest::await() {
    Event event = {0, -1, -1, -1};
    event.kind = gfx_await_event(event.x, event.y, event.key);
    return event;
}

void PackageTest::await_idle() {
    while (pump_message()) {
    }
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
}
