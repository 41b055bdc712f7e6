// The Run menu, its commands and their Ctrl-key shortcuts.
#include "gfx/state.h"

struct MenuEntry {
    UINT flags;
    UINT id;
    const char *text;
};

static const MenuEntry RUN_MENU_ENTRIES[] = {
    {MF_STRING, CMD_ANIMATE, "&Animate\tCtrl+A"},
    {MF_STRING, CMD_HALT, "&Halt animation\tCtrl+H"},
    {MF_STRING, CMD_STEP, "Advance one &frame\tCtrl+F"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_CHECKED, CMD_LOGGING, "&Logging\tCtrl+L"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, CMD_RECORD, "&Record Script\tCtrl+R"},
    {MF_STRING, CMD_PLAYBACK, "&Playback Script\tCtrl+P"},
    {MF_STRING, CMD_PLAY_ONE, "Play &One Script\tCtrl+O"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, CMD_QUIT, "&Quit\tCtrl+Q"},
    {MF_SEPARATOR, 0, nullptr},
    // About the package itself, as true in any program that uses it as in the demo.
    {MF_GRAYED, CMD_INFO, "KORVA graphics package, version " KORVA_VERSION},
    {MF_GRAYED, CMD_INFO, "MAC: no build of the package"},
    {MF_GRAYED, CMD_INFO, "WINDOWS: the same source builds as a native Windows program"},
    {MF_GRAYED, CMD_INFO, "UPDATES: from the package's source repository"},
};

void build_run_menu(HWND window) {
    HMENU menu_bar = CreateMenu();
    run_menu = CreatePopupMenu();
    for (const MenuEntry &entry : RUN_MENU_ENTRIES)
        AppendMenuA(run_menu, entry.flags, entry.id, entry.text);
    AppendMenuA(menu_bar, MF_POPUP, reinterpret_cast<UINT_PTR>(run_menu), "&Run");
    SetMenu(window, menu_bar);
    DrawMenuBar(window);
}

static void check(UINT id, bool on) {
    CheckMenuItem(run_menu, id, on ? MF_CHECKED : MF_UNCHECKED);
}

void run_command(WPARAM id) {
    switch (id) {
    case CMD_ANIMATE: running = 1; break;
    case CMD_HALT: running = 0; break;
    case CMD_STEP:
        running = 0;
        single_step = 1;
        break;
    case CMD_LOGGING:
        logging_on = logging_on ? 0 : 1;
        check(CMD_LOGGING, logging_on);
        break;
    case CMD_RECORD:
        if (recording)
            stop_recording();
        else
            start_recording();
        break;
    case CMD_PLAYBACK:
        if (playing_back) {
            end_playback();
        } else {
            running = 0;
            single_step = 0;
            playing_back = 1;
            check(CMD_PLAYBACK, true);
        }
        break;
    case CMD_PLAY_ONE:
        play_one = 1;
        running = 0;
        single_step = 0;
        break;
    case CMD_QUIT: PostQuitMessage(0); break;
    default: break;
    }
}

// The key-down code of a letter key is its upper-case letter, whatever the Shift state. Only
// those codes are shortcuts: keypad and function keys whose codes equal lower-case letters
// (F2 is 113, 'q'; keypad 1 is 97, 'a') are not.
static UINT shortcut_command(WPARAM key) {
    switch (key) {
    case 'A': return CMD_ANIMATE;
    case 'H': return CMD_HALT;
    case 'F': return CMD_STEP;
    case 'L': return CMD_LOGGING;
    case 'R': return CMD_RECORD;
    case 'P': return CMD_PLAYBACK;
    case 'O': return CMD_PLAY_ONE;
    case 'Q': return CMD_QUIT;
    default: return 0;
    }
}

bool alt_key_held() {
    return GetKeyState(VK_MENU) < 0;
}

// Record, Playback and Logging switch on and off: held down, they act on the first key-down
// only, so that an auto-repeat never starts or ends a recording behind the user's back.
static bool is_toggle(UINT command) {
    return command == CMD_RECORD || command == CMD_PLAYBACK || command == CMD_LOGGING;
}

// A key-down with Alt held as well is no shortcut: Windows reports AltGr as Ctrl+Alt, and AltGr
// types characters ("@" is AltGr+Q on a German keyboard).
void handle_key_down(WPARAM key, LPARAM lparam) {
    if (key == VK_CONTROL) {
        ctrl_down = 1;
        return;
    }
    UINT command = shortcut_command(key);
    if (!command || !ctrl_down || alt_key_held()) return;
    bool repeated = (lparam & KEY_WAS_DOWN) != 0;
    if (repeated && is_toggle(command)) return;
    run_command(command);
}

void handle_key_up(WPARAM key) {
    if (key == VK_CONTROL) ctrl_down = 0;
}

// A window of the package gained the keyboard focus: a Ctrl released while neither had it
// sent no key-up, so the flag is read afresh from the key itself.
void sync_ctrl_key() {
    ctrl_down = GetKeyState(VK_CONTROL) < 0 ? 1 : 0;
}
