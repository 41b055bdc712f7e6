// What the end-to-end test asks of the X server that xdotool does not do: look at the screen's
// pixels and close a window as a window manager's close box does.
//
//   x11_probe count RRGGBB X Y W H   how many pixels of the screen rectangle have that colour
//   x11_probe checksum X Y W H       a checksum of the rectangle's pixels
//   x11_probe close WINDOW           sends WM_DELETE_WINDOW to the window (id as xdotool gives it)
//   x11_probe root                   the root window's id
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int usage() {
    std::fprintf(stderr, "usage: x11_probe count RRGGBB X Y W H | checksum X Y W H | "
                         "close WINDOW | root\n");
    return 2;
}

long number(const char *text, int base = 10) {
    char *end = nullptr;
    long value = std::strtol(text, &end, base);
    if (!*text || *end) {
        std::fprintf(stderr, "x11_probe: not a number: %s\n", text);
        std::exit(2);
    }
    return value;
}

// The rectangle's pixels as 0xRRGGBB, one call per pixel; null when it is off the screen.
template <class Visit>
bool visit_pixels(Display *display, char **rect, Visit visit) {
    int x = int(number(rect[0])), y = int(number(rect[1]));
    unsigned width = unsigned(number(rect[2])), height = unsigned(number(rect[3]));
    XImage *image =
        XGetImage(display, DefaultRootWindow(display), x, y, width, height, AllPlanes, ZPixmap);
    if (!image) return false;
    for (unsigned row = 0; row < height; row++)
        for (unsigned column = 0; column < width; column++)
            visit(uint32_t(XGetPixel(image, int(column), int(row))) & 0xFFFFFF);
    XDestroyImage(image);
    return true;
}

int close_window(Display *display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    if (argc < 2) return usage();
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "x11_probe: cannot open the display\n");
        return 1;
    }
    const char *command = argv[1];
    int status = 0;
    if (std::strcmp(command, "count") == 0 && argc == 7) {
        uint32_t wanted = uint32_t(number(argv[2], 16));
        long count = 0;
        if (!visit_pixels(display, argv + 3, [&](uint32_t p) { count += p == wanted; })) status = 1;
        std::printf("%ld\n", count);
    } else if (std::strcmp(command, "checksum") == 0 && argc == 6) {
        uint64_t sum = 1469598103934665603ull; // FNV-1a
        if (!visit_pixels(display, argv + 2,
                          [&](uint32_t p) { sum = (sum ^ p) * 1099511628211ull; }))
            status = 1;
        std::printf("%016llx\n", (unsigned long long)sum);
    } else if (std::strcmp(command, "close") == 0 && argc == 3) {
        status = close_window(display, Window(number(argv[2], 0)));
    } else if (std::strcmp(command, "root") == 0 && argc == 2) {
        std::printf("%lu\n", (unsigned long)DefaultRootWindow(display));
    } else {
        status = usage();
    }
    XCloseDisplay(display);
    return status;
}
