// The event filter that tells made-up key events from real ones on X11.
#include "platform/display/sdl/x11/key_filter.h"

#include <SDL_syswm.h>
#include <cstring>

namespace sdl_display {

namespace {

struct Filter {
    KeyOrigin origin;
    Uint32 made_up_type = 0;
};

Filter filter_state;

// Runs as SDL makes each event, in order. The window-system events are only looked at: the
// program has no use for them, and queueing them would wake an idle wait at every pointer move.
int SDLCALL filter(void *, SDL_Event *event) {
    switch (event->type) {
    case SDL_SYSWMEVENT:
        if (event->syswm.msg && event->syswm.msg->subsystem == SDL_SYSWM_X11)
            filter_state.origin.x_event(event->syswm.msg->msg.x11.event.type);
        return 0;
    case SDL_WINDOWEVENT:
        if (event->window.event == SDL_WINDOWEVENT_FOCUS_GAINED) filter_state.origin.focus_gained();
        return 1;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        bool down = event->type == SDL_KEYDOWN;
        if (filter_state.origin.from_key_event(down)) return 1;
        SDL_Event made_up{};
        made_up.type = filter_state.made_up_type;
        made_up.user.windowID = event->key.windowID;
        made_up.user.code = int(event->key.keysym.scancode);
        made_up.user.data1 = down ? &filter_state : nullptr;
        SDL_PushEvent(&made_up); // in the place of the key event, before what follows it
        return 0;
    }
    default: return 1;
    }
}

} // namespace

Uint32 mark_made_up_key_events() {
    const char *driver = SDL_GetCurrentVideoDriver();
    if (!driver || std::strcmp(driver, "x11") != 0) return 0;
    Uint32 type = SDL_RegisterEvents(1);
    if (type == Uint32(-1)) return 0;
    filter_state.made_up_type = type;
    SDL_SetEventFilter(filter, nullptr);
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    return type;
}

} // namespace sdl_display
