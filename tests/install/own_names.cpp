// A client whose own names are those of Windows types, and which forgets gfx_open: the public
// header must leave its names alone, and its wait must end at once with EVENT_QUIT.
#include <korva/gfx.h>

#include <cstdio>

int SIZE = 10;
struct POINT {
    int x, y;
};
typedef POINT RECT[2];

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RECT box = {{-SIZE, SIZE}, {SIZE, -SIZE}};
    int x = -1, y = -1;
    char key = 'k';
    int event = gfx_await_event(x, y, key);
    std::printf("event %d at (%d,%d), key %d; box (%d,%d) to (%d,%d)\n", event, x, y, key, box[0].x,
                box[0].y, box[1].x, box[1].y);
    return event == EVENT_QUIT ? 0 : 1;
}
