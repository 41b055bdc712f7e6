// Non-client metrics and GetSystemMetrics.
#include "platform/user/nonclient.h"
#include "platform/display/display.h"

#include <algorithm>

namespace user {

Insets frame_insets(DWORD style) {
    int frame = 0;
    if (style & WS_THICKFRAME)
        frame = SIZE_FRAME;
    else if ((style & WS_CAPTION) == WS_CAPTION || (style & WS_DLGFRAME))
        frame = FIXED_FRAME;
    else if (style & WS_BORDER)
        frame = BORDER;
    Insets insets{frame, frame, frame, frame};
    if ((style & WS_CAPTION) == WS_CAPTION) insets.top += CAPTION;
    return insets;
}

Insets nonclient_insets(DWORD style, bool menu_bar) {
    Insets insets = frame_insets(style);
    if (menu_bar) insets.top += MENU_BAR;
    return insets;
}

void client_size_for(DWORD style, bool menu_bar, int outer_width, int outer_height,
                     int &client_width, int &client_height) {
    Insets insets = nonclient_insets(style, menu_bar);
    client_width = std::max(0, outer_width - insets.left - insets.right);
    client_height = std::max(0, outer_height - insets.top - insets.bottom);
}

} // namespace user

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXSCREEN: return display::backend().screen_width();
    case SM_CYSCREEN: return display::backend().screen_height();
    case SM_CYCAPTION: return user::CAPTION;
    case SM_CXBORDER:
    case SM_CYBORDER: return user::BORDER;
    case SM_CXFIXEDFRAME:
    case SM_CYFIXEDFRAME: return user::FIXED_FRAME;
    case SM_CXSIZEFRAME:
    case SM_CYSIZEFRAME: return user::SIZE_FRAME;
    case SM_CYMENU: return user::MENU_BAR;
    default: return 0;
    }
}
