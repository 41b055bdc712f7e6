// The control panel: a column of nine buttons on the left and one numbered box per active bug on
// the right, drawn into the scene. Clicking a number chooses a bug; a button acts on it.
#include <climits>

#include "demo/demo.h"

// Geometry in canvas coordinates. Boxes are BOX_HEIGHT high, rows counting down from PANEL_TOP.
constexpr int PANEL_TOP = 245;
constexpr int BOX_HEIGHT = 25;
constexpr int BUTTON_LEFT = -295;
constexpr int BUTTON_RIGHT = -220;
constexpr int NUMBER_LEFT = 220;
constexpr int NUMBER_RIGHT = 295;
constexpr int TEXT_POINT_SIZE = 12;
// Text position of the first row: 12 below the top, less half the point size.
constexpr int TEXT_TOP = PANEL_TOP - 12 - TEXT_POINT_SIZE / 2;
constexpr int BUTTON_TEXT_X = BUTTON_LEFT + 10;
constexpr int NUMBER_TEXT_X = NUMBER_LEFT + 10;

enum {
    BUTTON_GO,
    BUTTON_STOP,
    BUTTON_FASTER,
    BUTTON_SLOWER,
    BUTTON_GLIDING,
    BUTTON_HOPPING,
    BUTTON_NEW_COLOR,
    BUTTON_ADD_BUG,
    BUTTON_DELETE_BUG,
    NUM_BUTTONS
};

struct ButtonLabel {
    const char *text;
    int color;
};

constexpr ButtonLabel BUTTON_LABELS[NUM_BUTTONS] = {
    {"Go", FOREST_GREEN}, {"Stop", RED},      {"Faster", BLACK},
    {"Slower", BLACK},    {"Gliding", BLACK}, {"Hopping", BLACK},
    {"New Color", BLACK}, {"Add Bug", BLACK}, {"Delete Bug", BLACK},
};

// Row of a click at height y: row r covers 220 - 25r < y <= 245 - 25r, so the line two boxes
// share belongs to the lower one. A click above the top line gets -1, not the row 0 that a
// division truncating toward zero would give it. Computed wide so that no y can overflow.
static int row_at(int y) {
    long long below_top = (long long)PANEL_TOP - y;
    if (below_top < 0) return -1;
    long long row = below_top / BOX_HEIGHT;
    return row > NUM_BUTTONS ? NUM_BUTTONS : (int)row;
}

static int row_top(int row) {
    return PANEL_TOP - BOX_HEIGHT * row;
}

int count_active(const int (&active)[MAX_BUGS]) {
    int n = 0;
    for (int i = 0; i < MAX_BUGS; i++) {
        if (active[i]) n++;
    }
    return n;
}

void draw_panel(int box_count) {
    for (int r = 0; r < NUM_BUTTONS; r++) {
        gfx_rectangle(BLACK, BUTTON_LEFT, row_top(r), BUTTON_RIGHT, row_top(r) - BOX_HEIGHT, 1);
    }
    for (int r = 0; r < NUM_BUTTONS; r++) {
        gfx_printf(BUTTON_LABELS[r].color, BUTTON_TEXT_X, TEXT_TOP - BOX_HEIGHT * r,
                   TEXT_POINT_SIZE, "%s", BUTTON_LABELS[r].text);
    }
    for (int i = 0; i < box_count - NUM_BUTTONS; i++) {
        gfx_rectangle(BLACK, NUMBER_LEFT, row_top(i), NUMBER_RIGHT, row_top(i) - BOX_HEIGHT, 1);
    }
    for (int i = 0; i < box_count - NUM_BUTTONS; i++) {
        gfx_printf(BLACK, NUMBER_TEXT_X, TEXT_TOP - BOX_HEIGHT * i, TEXT_POINT_SIZE, "%d", i + 1);
    }
}

int panel_hit_test(int x, int y, int box_count) {
    // Strict comparisons: the outer lines of a column belong to neither area.
    if (BUTTON_LEFT < x && x < BUTTON_RIGHT && row_top(NUM_BUTTONS) < y && y < PANEL_TOP) {
        return HIT_BUTTONS;
    }
    if (NUMBER_LEFT < x && x < NUMBER_RIGHT && row_top(box_count - NUM_BUTTONS) < y &&
        y < PANEL_TOP) {
        return HIT_BUG_NUMBERS;
    }
    return HIT_NONE;
}

void press_button(int x, int y, int &moving, int &hopping, int &color, int &speed,
                  int (&active)[MAX_BUGS]) {
    if (x < BUTTON_LEFT || x > BUTTON_RIGHT) {
        report_internal_error();
        return;
    }
    int row = row_at(y);
    if (row < 0 || row >= NUM_BUTTONS) {
        report_internal_error();
        return;
    }

    int n = count_active(active);
    switch (row) {
    case BUTTON_GO: moving = 1; break;
    case BUTTON_STOP: moving = 0; break;
    case BUTTON_FASTER:
        // No upper limit in practice; stopping at INT_MAX keeps the count from overflowing.
        if (speed < INT_MAX) speed++;
        break;
    case BUTTON_SLOWER:
        if (speed > 0)
            speed--;
        else
            speed = 0;
        break;
    case BUTTON_GLIDING: hopping = 0; break;
    case BUTTON_HOPPING: hopping = 1; break;
    case BUTTON_NEW_COLOR: color = (color + 1) % NUM_COLORS; break;
    case BUTTON_ADD_BUG:
        // The count of active slots is also the number of the first free one.
        if (n < MAX_BUGS) active[n] = 1;
        break;
    case BUTTON_DELETE_BUG:
        // The last bug stays.
        if (n >= 2) active[n - 1] = 0;
        break;
    }
}

int choose_bug(int x, int y) {
    if (x < NUMBER_LEFT || x > NUMBER_RIGHT) {
        report_internal_error();
        return 0;
    }
    int row = row_at(y);
    if (row < 0 || row >= MAX_BUGS) {
        report_internal_error();
        return 0;
    }
    return row; // box i, labelled i + 1, chooses slot i
}

void report_internal_error() {
    gfx_printf(RED, 0, 0, 16, "INTERNAL ERROR!");
}
