#include "package_test.h"

#include "platform/gdi/text/text.h"

// Every test starts with a virtual display of its own and the fonts.
void PackageFixture::prepare_platform() {
    virtual_display::install(1024, 768);
    std::string error;
    ASSERT_TRUE(text::init(error)) << error;
}

void PackageTest::SetUp() {
    PackageFixture::SetUp();
    display = &static_cast<virtual_display::Display &>(::display::backend());
}

void PackageTest::use_screen(int width, int height) {
    display = &virtual_display::install(width, height);
}

void PackageFixture::open() {
    char command_line[] = "";
    gfx_open(nullptr, nullptr, command_line, SW_SHOWDEFAULT);
}

std::vector<uint32_t> PackageFixture::canvas_snapshot() {
    std::vector<uint32_t> snapshot;
    snapshot.reserve(CANVAS_WIDTH * CANVAS_HEIGHT);
    for (int y = 0; y < CANVAS_HEIGHT; y++)
        for (int x = 0; x < CANVAS_WIDTH; x++) snapshot.push_back(canvas_pixel(x, y));
    return snapshot;
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

void PackageFixture::click_client(int x, int y) {
    auto &screen = static_cast<virtual_display::Display &>(display::backend());
    screen.click(screen.find_window("KORVA Graphics"), x, y + GetSystemMetrics(SM_CYMENU));
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
