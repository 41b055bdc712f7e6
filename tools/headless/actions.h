// The action files that drive a program on the virtual display, one action a line.
#pragma once

#include "tools/headless/keys.h"

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace headless {

enum class Verb { Wait, Click, Key, Type, Focus, Shot, TextShot, Gif, TextGif, Close };

struct Action {
    Verb verb = Verb::Wait;
    int line = 0;
    int64_t milliseconds = 0; // wait
    int x = 0, y = 0;         // click: client pixel; y -20 .. -1 lands on the menu bar
    std::vector<Key> keys;    // key: the modifiers in order, then the key
    std::string text;         // type: the characters; shot, textshot: the file; gif, textgif:
                              // the file, empty for `end`
    bool text_window = false; // focus
};

// Reads actions from `input`. On an error returns false with a message naming the line.
//   wait MS | click X Y | key COMBO | type TEXT | focus graphics|text | shot FILE.png |
//   textshot FILE.png | gif FILE.gif | gif end | textgif FILE.gif | textgif end | close
//   (# starts a comment; blank lines are skipped)
bool parse_actions(std::istream &input, std::vector<Action> &actions, std::string &error);

} // namespace headless
