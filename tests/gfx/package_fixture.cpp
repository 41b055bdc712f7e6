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
    // The log copy goes to a file of the test's own (binary: no line-end translation).
    log_file_ = fopen("log.txt", "w+b");
    ASSERT_NE(log_file_, nullptr);
    gfx_log_stream = log_file_;
    prepare_platform();
}

void PackageFixture::TearDown() {
    gfx_log_stream = nullptr;
    close_script_file(); // an open file cannot be removed on Windows
    if (log_file_) fclose(log_file_);
    std::filesystem::current_path(previous_directory_);
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
}

std::string PackageFixture::take_log() {
    fflush(log_file_);
    fseek(log_file_, 0, SEEK_END);
    long end = ftell(log_file_);
    std::string text(size_t(end - log_taken_), '\0');
    fseek(log_file_, log_taken_, SEEK_SET);
    text.resize(fread(text.data(), 1, text.size(), log_file_));
    log_taken_ = end;
    fseek(log_file_, 0, SEEK_END);
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
