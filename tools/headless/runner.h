// Runs a program on the virtual display from a list of actions. The program runs until it is
// idle (it waits with nothing due); then the runner takes its next action.
#pragma once

#include "platform/display/virtual/virtual_display.h"
#include "tools/headless/actions.h"
#include "tools/headless/gif_recording.h"

#include <vector>

namespace headless {

// The titles of the package's two windows, by which the runner finds them.
inline constexpr char GRAPHICS_TITLE[] = "KORVA Graphics";
inline constexpr char TEXT_TITLE[] = "KORVA Text";

class Runner {
  public:
    // `where` begins every error message: the program and the action file.
    Runner(virtual_display::Display &display, std::vector<Action> actions, std::string where);

    // The virtual display's idle handler.
    void on_idle(display::Time deadline);

    // The virtual display's present observer: the GIFs being written take their frames.
    void on_present(int window);
    // Ends the GIFs being written, as at the end of the actions or of the program.
    void end_gifs();

    // Actions that failed: clicks outside the window, shots and GIFs that could not be written.
    int failures() const { return failures_; }

  private:
    // Performs the current action; returns true if the runner should go on to the next one at
    // once (nothing was given to the program).
    bool perform(const Action &action, display::Time deadline);
    void finish(display::Time deadline);
    bool click(int window, const Action &action);
    void type(const std::string &text);
    void shot(const std::string &title, const std::string &path, int line);
    void gif(const Action &action);
    void end_gif(bool text_window);
    void fail(int line, const std::string &message);

    virtual_display::Display &display_;
    std::vector<Action> actions_;
    std::string where_;
    size_t next_ = 0;
    bool waiting_ = false;
    display::Time wait_end_ = 0;
    bool closed_ = false;
    display::Time closed_at_ = 0;
    int failures_ = 0;
    // The GIFs of the graphics window [0] and the text window [1], with the lines that began them.
    GifRecording gifs_[2];
    int gif_lines_[2] = {0, 0};
};

} // namespace headless
