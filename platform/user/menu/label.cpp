// Menu entry texts: labels, mnemonics and shortcut texts.
#include "platform/user/menu/label.h"

namespace user {

MenuLabel parse_menu_label(const std::string &text) {
    MenuLabel result;
    size_t tab = text.find('\t');
    if (tab != std::string::npos) result.shortcut = text.substr(tab + 1);
    std::string raw = text.substr(0, tab);
    for (size_t i = 0; i < raw.size(); i++) {
        if (raw[i] != '&') {
            result.label += raw[i];
        } else if (i + 1 < raw.size() && raw[i + 1] == '&') {
            result.label += '&';
            i++;
        } else if (i + 1 < raw.size() && result.mnemonic < 0) {
            result.mnemonic = int(result.label.size());
        }
    }
    return result;
}

unsigned char lower_latin1(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return (unsigned char)(c + 32);
    // À..Þ except ×: their lower-case forms are 32 further on.
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return (unsigned char)(c + 32);
    return c;
}

unsigned char mnemonic_of(const MenuLabel &label) {
    if (label.mnemonic < 0) return 0;
    return lower_latin1((unsigned char)label.label[size_t(label.mnemonic)]);
}

} // namespace user
