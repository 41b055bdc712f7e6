#include "tools/headless/actions.h"

#include "platform/code_page.h"

#include <cctype>
#include <climits>
#include <sstream>

namespace headless {

namespace {

std::string trimmed(const std::string &s) {
    size_t begin = 0, end = s.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(s[begin]))) begin++;
    while (end > begin && std::isspace(static_cast<unsigned char>(s[end - 1]))) end--;
    return s.substr(begin, end - begin);
}

// A whole decimal integer within [low, high].
bool parse_number(const std::string &word, int64_t low, int64_t high, int64_t &value) {
    if (word.empty() || word.size() > 12) return false;
    size_t i = word[0] == '-' ? 1 : 0;
    if (i == word.size()) return false;
    for (size_t j = i; j < word.size(); j++)
        if (!std::isdigit(static_cast<unsigned char>(word[j]))) return false;
    value = std::stoll(word);
    return value >= low && value <= high;
}

// Whether a file name ends in `extension` (such as ".png"), in any case. Shots and GIFs are
// written in their own format whatever their name says, so the name must say it.
bool has_extension(const std::string &name, const std::string &extension) {
    if (name.size() < extension.size()) return false;
    std::string end = name.substr(name.size() - extension.size());
    for (char &c : end) c = char(std::tolower(static_cast<unsigned char>(c)));
    return end == extension;
}

} // namespace

bool parse_actions(std::istream &input, std::vector<Action> &actions, std::string &error) {
    bool recording[2] = {false, false}; // a gif, a textgif is being written
    std::string raw;
    for (int line = 1; std::getline(input, raw); line++) {
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        std::string text = raw;
        // A comment runs from # to the end of the line, except in the text of `type`.
        std::string first;
        std::stringstream words(text);
        words >> first;
        if (first != "type") text = text.substr(0, text.find('#'));
        text = trimmed(text);
        if (text.empty()) continue;

        std::stringstream in(text);
        std::string verb, a, b, extra;
        in >> verb;
        Action action;
        action.line = line;
        auto fail = [&](const std::string &why) {
            error = "line " + std::to_string(line) + ": " + why + ": " + raw;
            return false;
        };
        if (verb == "wait") {
            int64_t ms;
            if (!(in >> a) || !parse_number(a, 0, INT32_MAX, ms) || (in >> extra))
                return fail("wait needs a number of milliseconds");
            action.verb = Verb::Wait;
            action.milliseconds = ms;
        } else if (verb == "click") {
            // Whether the point lies on the window is checked when the click is made.
            int64_t x, y;
            if (!(in >> a >> b) || !parse_number(a, -65535, 65535, x) ||
                !parse_number(b, -65535, 65535, y) || (in >> extra))
                return fail("click needs a client pixel X Y");
            action.verb = Verb::Click;
            action.x = int(x);
            action.y = int(y);
        } else if (verb == "key") {
            if (!(in >> a) || (in >> extra) || !parse_combo(a, action.keys))
                return fail("key needs one combination such as ctrl+h, alt+r, f10 or return");
            action.verb = Verb::Key;
        } else if (verb == "type") {
            action.verb = Verb::Type;
            action.text = text.size() > 5 ? text.substr(5) : "";
            std::vector<uint32_t> characters;
            if (action.text.empty()) return fail("type needs the text to type");
            if (!platform::decode_utf8(action.text, characters))
                return fail("type needs its text in UTF-8");
        } else if (verb == "focus") {
            if (!(in >> a) || (in >> extra) || (a != "graphics" && a != "text"))
                return fail("focus needs graphics or text");
            action.verb = Verb::Focus;
            action.text_window = a == "text";
        } else if (verb == "shot" || verb == "textshot") {
            if (!(in >> a) || (in >> extra) || !has_extension(a, ".png"))
                return fail(verb + " needs one file name ending in .png");
            action.verb = verb == "shot" ? Verb::Shot : Verb::TextShot;
            action.text = a;
        } else if (verb == "gif" || verb == "textgif") {
            bool text_window = verb == "textgif";
            if (!(in >> a) || (in >> extra) || (a != "end" && !has_extension(a, ".gif")))
                return fail(verb + " needs a file name ending in .gif, or end");
            if (a == "end" && !recording[text_window])
                return fail(verb + " end comes with no " + verb + " before it");
            recording[text_window] = a != "end";
            action.verb = text_window ? Verb::TextGif : Verb::Gif;
            action.text = a == "end" ? "" : a;
        } else if (verb == "close") {
            if (in >> extra) return fail("close takes nothing");
            action.verb = Verb::Close;
        } else {
            return fail("unknown action '" + verb + "'");
        }
        actions.push_back(action);
    }
    return true;
}

} // namespace headless
