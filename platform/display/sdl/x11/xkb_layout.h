// The characters of the keyboard layout in use, through XKB (libxkbcommon): what TranslateMessage
// needs to turn a key-down into a character as Windows' layout would, dead keys included (their
// sequences come from the compose table of the user's locale).
#pragma once

#include "platform/display/sdl/window_system.h"

#include <cstdint>
#include <memory>

struct xkb_context;
struct xkb_keymap;
struct xkb_compose_table;
struct xkb_compose_state;
struct xcb_connection_t;

namespace sdl_display {

class XkbLayout : public KeyboardLayout {
  public:
    // The layout the X server uses now, read over a connection of its own. Null when there is no
    // X server or it has no keyboard extension.
    static std::unique_ptr<XkbLayout> from_x_server();
    // A layout by its XKB names ("us", "de", "fr" with a variant or ""), from the installed
    // keyboard data. Null when it does not exist.
    static std::unique_ptr<XkbLayout> from_names(const char *layout, const char *variant);

    ~XkbLayout() override;
    XkbLayout(const XkbLayout &) = delete;
    XkbLayout &operator=(const XkbLayout &) = delete;

    // Reads the server's layout again, after the user changed it or switched to another group.
    void reload() override;

    // The code page 1252 character that the key with this set-1 scan code (bit 8: extended)
    // types with these modifiers, or 0: for keys that type nothing, characters the code page
    // lacks, dead keys, and AltGr with a key that has no AltGr character.
    unsigned char character(int scan_code, bool shift, bool caps_lock, bool altgr,
                            bool num_lock) const override;

    // The character of a key-down in the order keys are typed: as `character`, but a dead key
    // types nothing and begins a sequence that the next keys end: an acute accent, then e,
    // types é. A key that ends no sequence types its own character.
    unsigned char typed(int scan_code, bool shift, bool caps_lock, bool altgr,
                        bool num_lock) override;

    // The right Alt key is AltGr in this layout.
    bool right_alt_is_altgr() const override { return right_alt_is_altgr_; }

  private:
    XkbLayout() = default;
    void load(xkb_keymap *keymap, unsigned group);
    bool load_from_server();
    void load_compose_table();
    struct Symbol {
        uint32_t keysym = 0;
        uint32_t code_point = 0; // 0: none
    };
    // What the key gives with these modifiers.
    Symbol symbol(unsigned key, bool shift, bool caps_lock, bool altgr, bool num_lock) const;

    xcb_connection_t *connection_ = nullptr;
    int device_ = -1;
    xkb_context *context_ = nullptr;
    xkb_keymap *keymap_ = nullptr;
    xkb_compose_table *compose_table_ = nullptr;
    xkb_compose_state *compose_ = nullptr; // the dead keys typed so far
    unsigned group_ = 0;
    unsigned shift_mask_ = 0, caps_mask_ = 0, num_mask_ = 0, level3_mask_ = 0;
    bool right_alt_is_altgr_ = false;
};

} // namespace sdl_display
