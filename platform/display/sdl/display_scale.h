// How many screen pixels stand for one of the program's pixels on this display.
//
// A Windows program of this kind knows nothing of pixel density: on a high-density screen its
// 601 x 540 window would be a postage stamp. The display shows every window pixel as a square of
// a whole number of screen pixels instead; the program keeps its own pixel sizes throughout.
#pragma once

namespace sdl_display {

// The whole scale factor, at least 1: GDK_SCALE when set to a whole number (the desktop's
// setting for programs that scale by whole factors), otherwise the X resource Xft.dpi over 96,
// rounded with halves down, 0 for `xft_dpi` when unset. It is lowered until a window of
// `needed_width` x `needed_height` fits the screen.
int whole_scale(const char *gdk_scale, int xft_dpi, int screen_width, int screen_height,
                int needed_width, int needed_height);

} // namespace sdl_display
