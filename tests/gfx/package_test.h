// The package's test fixture on the stand-in: a virtual display of its own per test (each test
// runs in its own process), and input fed as a keyboard and a mouse make it.
#pragma once

#include "package_fixture.h"
#include "platform/display/virtual/virtual_display.h"
#include "platform/kernel/global_memory.h"

class PackageTest : public PackageFixture {
  protected:
    void SetUp() override;

    // Installs a virtual display with this screen size; call before open() to change it.
    void use_screen(int width, int height);

    // The graphics window's and the text window's presented content.
    int graphics_id();
    int text_id();
    const platform::Surface &shown(int window);

    // A key press: key-down and key-up of the virtual key (with its scan code).
    void press_key(int virtual_key);
    void key_down(int virtual_key);
    void key_up(int virtual_key);

    virtual_display::Display *display = nullptr;
};

// Set-1 scan code of a virtual key, as a keyboard sends it.
int scan_code_of(int virtual_key);
