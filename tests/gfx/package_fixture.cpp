#include "package_fixture.h"

#include <fstream>
#include <random>
#include <sstream>

void PackageFixture::SetUp() {
    // Scripts are read and written in the current directory: give each test its own.
    previous_directory_ = std::filesystem::current_path();
    std::filesystem::path base = std::filesystem::temp_directory_path();
    std::random_device random;
    while (directory_.empty()) {
        std::filesystem::path candidate = base / ("korva-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(candidate)) directory_ = candidate;
    }
    std::filesystem::current_path(directory_);
    observe_log(keep_line, this);
    prepare_platform();
}

void PackageFixture::TearDown() {
    observe_log(nullptr, nullptr);
    close_script_file(); // an open file cannot be removed on Windows
    std::filesystem::current_path(previous_directory_);
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
}

void PackageFixture::keep_line(const char *line, void *fixture) {
    static_cast<PackageFixture *>(fixture)->log_ += line;
}

std::string PackageFixture::take_log() {
    std::string text = log_.substr(log_taken_);
    log_taken_ = log_.size();
    return text;
}

uint32_t PackageFixture::canvas_pixel(int x, int y) {
    return pixel_of(GetPixel(canvas.dc, x, y));
}

void PackageFixture::fill_canvas(uint32_t pixel) {
    HBRUSH brush = CreateSolidBrush(pixel_of(pixel));
    HGDIOBJ old_brush = SelectObject(canvas.dc, brush);
    HGDIOBJ old_pen = SelectObject(canvas.dc, GetStockObject(NULL_PEN));
    Rectangle(canvas.dc, 0, 0, CANVAS_WIDTH + 1, CANVAS_HEIGHT + 1);
    SelectObject(canvas.dc, old_pen);
    SelectObject(canvas.dc, old_brush);
    DeleteObject(brush);
}

RECT PackageFixture::changed_box(uint32_t background) {
    std::vector<uint32_t> pixels = canvas_snapshot();
    RECT box = {CANVAS_WIDTH, CANVAS_HEIGHT, -1, -1};
    for (int y = 0; y < CANVAS_HEIGHT; y++)
        for (int x = 0; x < CANVAS_WIDTH; x++)
            if (pixels[size_t(y) * CANVAS_WIDTH + x] != background) {
                if (x < box.left) box.left = x;
                if (y < box.top) box.top = y;
                if (x > box.right) box.right = x;
                if (y > box.bottom) box.bottom = y;
            }
    return box;
}

std::vector<uint32_t> PackageFixture::picture_of(const std::function<void()> &draw,
                                                 uint32_t background) {
    fill_canvas(background);
    draw();
    return canvas_snapshot();
}

void PackageFixture::post(UINT message, WPARAM wparam, LPARAM lparam) {
    PostMessageA(graphics_window, message, wparam, lparam);
}

PackageFixture::Event PackageFixture::await() {
    Event event = {0, -1, -1, -1};
    event.kind = gfx_await_event(event.x, event.y, event.key);
    return event;
}

void PackageFixture::await_idle() {
    while (pump_message()) {
    }
    // A last look at the queue: the stand-in presents the windows when the queue is empty.
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
}

std::string PackageFixture::ring_line(int slot) {
    const char *text = static_cast<const char *>(GlobalLock(log_ring[slot]));
    std::string line = text ? text : "<none>";
    GlobalUnlock(log_ring[slot]);
    return line;
}

bool PackageFixture::checked(UINT id) {
    return (GetMenuState(run_menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

std::string PackageFixture::read_file(const char *name) {
    std::ifstream file(name, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void PackageFixture::write_file(const char *name, const std::string &bytes) {
    std::ofstream file(name, std::ios::binary);
    file << bytes;
}
