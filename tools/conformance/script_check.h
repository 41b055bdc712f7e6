// Scripts across builds: one build records KORVA.SCR through the package's recording, the other
// plays it back through the package's reader and must get the same events.
#pragma once

#include <string>

// Records the fixed event sequence into `directory`/KORVA.SCR.
bool record_script(const std::string &directory, std::string &error);

// Plays `directory`/KORVA.SCR back and checks the events against the fixed sequence, and that
// the file's line ends are `line_end`: "crlf" (as Windows writes text) or "lf".
bool play_script(const std::string &directory, const std::string &line_end, std::string &error);
