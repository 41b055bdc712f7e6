// demo_main: start-up, the bug table and the frame loop. Every event yields exactly one new
// frame, painted in three layers: the scene, the panel, the bugs.
#include "demo/demo.h"

// Start-up's bug table: every slot's first values. Every slot starts where the largest bug
// wraps to, whatever its own size; only slot 0 is active.
static void fill_bug_table(int (&active)[MAX_BUGS], int (&x)[MAX_BUGS], int (&y)[MAX_BUGS],
                           int (&size)[MAX_BUGS], int (&color)[MAX_BUGS], int (&moving)[MAX_BUGS],
                           int (&hopping)[MAX_BUGS], int (&speed)[MAX_BUGS],
                           int (&steps)[MAX_BUGS]) {
    for (int i = 0; i < MAX_BUGS; i++) {
        active[i] = 0;
        y[i] = BUG_GROUND_Y;
        hopping[i] = 0;
        speed[i] = 5;
        color[i] = RED;
        moving[i] = 1;
        steps[i] = 0;
    }
    for (int i = 0; i < MAX_BUGS; i++) size[i] = 22 - 2 * i;
    int start_x = wrap_position(size[0]);
    for (int i = 0; i < MAX_BUGS; i++) x[i] = start_x;
    active[0] = 1;
}

// A click: on the buttons it works the selected bug's fields, on the bug numbers it selects.
static void handle_click(int event_x, int event_y, int box_count, int &selected,
                         int (&moving)[MAX_BUGS], int (&hopping)[MAX_BUGS], int (&color)[MAX_BUGS],
                         int (&speed)[MAX_BUGS], int (&active)[MAX_BUGS]) {
    int hit = panel_hit_test(event_x, event_y, box_count);
    if (hit == HIT_BUTTONS) {
        press_button(event_x, event_y, moving[selected], hopping[selected], color[selected],
                     speed[selected], active);
    } else if (hit == HIT_BUG_NUMBERS) {
        selected = choose_bug(event_x, event_y);
    }
}

int demo_main(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line, int show_mode) {
    // The bug table: one array per field, indexed by slot number.
    int active[MAX_BUGS];
    int x[MAX_BUGS];
    int y[MAX_BUGS];
    int size[MAX_BUGS];
    int color[MAX_BUGS];
    int moving[MAX_BUGS];
    int hopping[MAX_BUGS];
    int speed[MAX_BUGS];
    int steps[MAX_BUGS];

    int selected = 0;
    int box_count = 10;
    int scene_phase = 0;
    int scene_cycle = 0;
    int event_x = 0, event_y = 0;
    char event_key = 0;
    int finished = 0;

    gfx_open(instance, previous_instance, command_line, show_mode);
    gfx_logging(0);
    gfx_clear();
    gfx_animate(ANIMATE_RUN);

    fill_bug_table(active, x, y, size, color, moving, hopping, speed, steps);
    box_count = 10;

    draw_scene(scene_phase, scene_cycle);
    draw_panel(box_count);
    draw_bugs(x, y, size, color, active);

    while (!finished) {
        int kind = gfx_await_event(event_x, event_y, event_key);
        switch (kind) {
        case EVENT_MOUSE:
            handle_click(event_x, event_y, box_count, selected, moving, hopping, color, speed,
                         active);
            break;
        case EVENT_PERIODIC:
            for (int i = 0; i < MAX_BUGS; i++)
                if (moving[i] && active[i])
                    move_bug(x[i], y[i], steps[i], hopping[i], speed[i], size[i]);
            break;
        case EVENT_QUIT: finished = 1; break;
        default: break; // keys and anything else only advance the scene
        }

        // The quit event gets its frame too.
        draw_scene(scene_phase, scene_cycle);
        box_count = 9 + count_active(active);
        draw_panel(box_count);
        draw_bugs(x, y, size, color, active);
    }

    gfx_close();
    return 0;
}
