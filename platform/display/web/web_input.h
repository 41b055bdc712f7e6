// The page's input events as the web display reads them, and their translation.
#pragma once

#include "platform/display/display.h"

#include <string>

namespace web_display {

// The fields of one page event, in the order the page writes them.
enum Field {
    FIELD_KIND,      // one of PageEvent
    FIELD_WINDOW,    // the window's id
    FIELD_X,         // mouse: content pixel
    FIELD_Y,         //
    FIELD_BUTTON,    // mouse: 1 left, 2 middle, 3 right
    FIELD_REPEAT,    // key: an auto-repeated key-down
    FIELD_CHARACTER, // key-down: the Unicode character the layout types with it, or 0
    FIELD_ALTGR,     // key: the key is the layout's AltGr (AltGraph)
    FIELD_COUNT
};

enum PageEvent {
    PAGE_MOUSE_DOWN = 1,
    PAGE_MOUSE_UP,
    PAGE_MOUSE_MOVE,
    PAGE_KEY_DOWN,
    PAGE_KEY_UP,
    PAGE_CLOSE,
    PAGE_FOCUS,
    PAGE_BLUR,
};

// A physical key by its DOM code ("KeyA", "Digit1", "ControlLeft", ...): Windows' virtual key
// and set-1 scan code (0x100 marks an extended key); false for a key Windows has no code for.
// Letters take their virtual key from what the layout types (`character`), as under Windows.
bool windows_key(const std::string &code, unsigned character, int &virtual_key, int &scan_code);

} // namespace web_display
