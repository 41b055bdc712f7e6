// An entry's text as a menu shows it: the label with its mnemonic, and the shortcut text.
#pragma once

#include <string>

namespace user {

struct MenuLabel {
    std::string label;    // the text before the tab, with the & marks taken out
    int mnemonic = -1;    // index in `label` of the underlined character, or -1
    std::string shortcut; // the text after the first tab, shown right-aligned
};

// Splits an entry's text: "&Record Script\tCtrl+R" gives "Record Script" with the R underlined
// and "Ctrl+R". "&&" stands for one "&"; the first single & marks the mnemonic.
MenuLabel parse_menu_label(const std::string &text);

// The mnemonic character of a label in lower case (Latin-1), or 0 when there is none.
unsigned char mnemonic_of(const MenuLabel &label);

// A Latin-1 character in lower case, so that keys match mnemonics whatever the Shift state.
unsigned char lower_latin1(unsigned char c);

} // namespace user
