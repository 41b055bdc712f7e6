// The palette: a swatch of each of the 24 colours with its name and its red, green and blue
// values, which the text window lists too. Makes the README's picture of the palette.
#include <korva/gfx.h>

struct Swatch {
    int color;
    const char *name;
    int red, green, blue;
};

const Swatch SWATCHES[NUM_COLORS] = {
    {BLACK, "BLACK", 0, 0, 0},
    {WHITE, "WHITE", 255, 255, 255},
    {RED, "RED", 255, 0, 0},
    {GREEN, "GREEN", 0, 255, 0},
    {BLUE, "BLUE", 0, 0, 255},
    {YELLOW, "YELLOW", 255, 255, 0},
    {MAGENTA, "MAGENTA", 255, 0, 255},
    {CYAN, "CYAN", 0, 255, 255},
    {PURPLE, "PURPLE", 153, 0, 204},
    {NAVY_BLUE, "NAVY_BLUE", 0, 51, 153},
    {DUSTY_PLUM, "DUSTY_PLUM", 153, 102, 153},
    {ICE_BLUE, "ICE_BLUE", 153, 255, 255},
    {TURQUOISE, "TURQUOISE", 153, 255, 204},
    {ORANGE, "ORANGE", 255, 102, 0},
    {BROWN, "BROWN", 153, 102, 51},
    {PINK, "PINK", 255, 153, 204},
    {CHALK, "CHALK", 255, 255, 153},
    {GOLD, "GOLD", 204, 153, 51},
    {PEACH, "PEACH", 255, 153, 102},
    {FOREST_GREEN, "FOREST_GREEN", 0, 102, 51},
    {SEA_GREEN, "SEA_GREEN", 51, 204, 153},
    {OLIVE, "OLIVE", 153, 153, 51},
    {GRAY_50, "GRAY_50", 128, 128, 128},
    {GRAY_20, "GRAY_20", 204, 204, 204},
};

// Three columns of eight, in palette order row by row, below a title line. The window shows x
// from -297 to 297 and y from -240 to 240.
void draw_swatch(const Swatch &swatch) {
    int left = -289 + swatch.color % 3 * 198;
    int top = 206 - swatch.color / 3 * 56;
    gfx_rectangle(swatch.color, left, top, left + 43, top - 43, 0);
    gfx_rectangle(BLACK, left, top, left + 43, top - 43, 1); // so that WHITE shows
    gfx_printf(BLACK, left + 51, top - 22, 15, "%d %s", swatch.color, swatch.name);
    gfx_printf(GRAY_50, left + 51, top - 42, 14, "%d, %d, %d", swatch.red, swatch.green,
               swatch.blue);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line,
                   int show_mode) {
    gfx_open(instance, previous_instance, command_line, show_mode);
    gfx_logging(0);
    gfx_clear();
    gfx_text(BLACK, -289, 216, 16, "The palette: index and name, then red, green and blue");
    for (const Swatch &swatch : SWATCHES) {
        draw_swatch(swatch);
        gfx_log("%d %s %d %d %d\n", swatch.color, swatch.name, swatch.red, swatch.green,
                swatch.blue);
    }
    int x, y;
    char key;
    while (gfx_await_event(x, y, key) != EVENT_QUIT) {
    }
    gfx_close();
    return 0;
}
