// The keyboard layout through libxkbcommon. The X server's keymap is read over an XCB connection
// of our own; each character is worked out on a fresh state with exactly the modifiers asked
// for, so the answer does not depend on what the keyboard is doing now. Only the dead keys typed
// so far are remembered, in a compose state.
#include "platform/display/sdl/x11/xkb_layout.h"

#include "platform/code_page.h"

#include <cstdlib>
#include <xcb/xcb.h>
#include <xkbcommon/xkbcommon-compose.h>
#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

namespace sdl_display {

namespace {

// Linux input key codes are the set-1 scan codes for the keys without the extended prefix; the
// extended ones that type characters or are AltGr have their own numbers. X key codes add 8.
constexpr int X_KEYCODE_OFFSET = 8;

struct ExtendedKey {
    int scan_code;
    int linux_code;
};

constexpr ExtendedKey EXTENDED_KEYS[] = {
    {0x11C, 96},  // keypad Enter
    {0x11D, 97},  // right Ctrl
    {0x135, 98},  // keypad /
    {0x138, 100}, // right Alt
};

constexpr int LAST_PLAIN_SCAN_CODE = 0x58; // F12

xkb_keycode_t x_keycode(int scan_code) {
    if (!(scan_code & 0x100))
        return scan_code > 0 && scan_code <= LAST_PLAIN_SCAN_CODE
                   ? xkb_keycode_t(scan_code + X_KEYCODE_OFFSET)
                   : XKB_KEYCODE_INVALID;
    for (const ExtendedKey &k : EXTENDED_KEYS)
        if (k.scan_code == scan_code) return xkb_keycode_t(k.linux_code + X_KEYCODE_OFFSET);
    return XKB_KEYCODE_INVALID;
}

constexpr xkb_keycode_t RIGHT_ALT = 100 + X_KEYCODE_OFFSET;

bool key_has_keysym(xkb_keymap *keymap, xkb_keycode_t key, unsigned group, xkb_keysym_t wanted) {
    const xkb_keysym_t *syms = nullptr;
    int count = xkb_keymap_key_get_syms_by_level(keymap, key, group, 0, &syms);
    return count == 1 && syms[0] == wanted;
}

// The first key whose unmodified keysym is `wanted`, or XKB_KEYCODE_INVALID.
xkb_keycode_t key_with_keysym(xkb_keymap *keymap, unsigned group, xkb_keysym_t wanted) {
    for (xkb_keycode_t key = xkb_keymap_min_keycode(keymap); key <= xkb_keymap_max_keycode(keymap);
         key++)
        if (key_has_keysym(keymap, key, group, wanted)) return key;
    return XKB_KEYCODE_INVALID;
}

// The modifiers that pressing `key` sets (held), or that pressing and releasing it locks.
unsigned modifiers_of_key(xkb_keymap *keymap, xkb_keycode_t key, bool locks) {
    if (key == XKB_KEYCODE_INVALID) return 0;
    xkb_state *state = xkb_state_new(keymap);
    if (!state) return 0;
    xkb_state_update_key(state, key, XKB_KEY_DOWN);
    if (locks) xkb_state_update_key(state, key, XKB_KEY_UP);
    unsigned mask =
        xkb_state_serialize_mods(state, locks ? XKB_STATE_MODS_LOCKED : XKB_STATE_MODS_DEPRESSED);
    xkb_state_unref(state);
    return mask;
}

unsigned real_modifier(xkb_keymap *keymap, const char *name) {
    xkb_mod_index_t index = xkb_keymap_mod_get_index(keymap, name);
    return index == XKB_MOD_INVALID ? 0 : 1u << index;
}

xkb_context *new_context() {
    xkb_context *context = xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES);
    if (context) xkb_context_set_log_level(context, XKB_LOG_LEVEL_CRITICAL);
    return context;
}

// The locale whose compose table applies, named as the C library would pick it.
const char *character_locale() {
    for (const char *name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char *value = std::getenv(name);
        if (value && *value) return value;
    }
    return "C";
}

} // namespace

std::unique_ptr<XkbLayout> XkbLayout::from_x_server() {
    std::unique_ptr<XkbLayout> layout(new XkbLayout);
    layout->connection_ = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(layout->connection_)) return nullptr;
    if (!xkb_x11_setup_xkb_extension(
            layout->connection_, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
            XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, nullptr, nullptr))
        return nullptr;
    layout->device_ = xkb_x11_get_core_keyboard_device_id(layout->connection_);
    layout->context_ = new_context();
    if (layout->device_ < 0 || !layout->context_ || !layout->load_from_server()) return nullptr;
    layout->load_compose_table();
    return layout;
}

std::unique_ptr<XkbLayout> XkbLayout::from_names(const char *layout_name, const char *variant) {
    std::unique_ptr<XkbLayout> layout(new XkbLayout);
    layout->context_ = new_context();
    if (!layout->context_) return nullptr;
    xkb_rule_names names{};
    names.model = "pc105";
    names.layout = layout_name;
    names.variant = variant;
    xkb_keymap *keymap =
        xkb_keymap_new_from_names(layout->context_, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (!keymap) return nullptr;
    layout->load(keymap, 0);
    layout->load_compose_table();
    return layout;
}

XkbLayout::~XkbLayout() {
    if (compose_) xkb_compose_state_unref(compose_);
    if (compose_table_) xkb_compose_table_unref(compose_table_);
    if (keymap_) xkb_keymap_unref(keymap_);
    if (context_) xkb_context_unref(context_);
    if (connection_) xcb_disconnect(connection_);
}

void XkbLayout::reload() {
    if (connection_) load_from_server();
    if (compose_) xkb_compose_state_reset(compose_);
}

// Without a table for the locale, the C locale's; without any, dead keys type nothing.
void XkbLayout::load_compose_table() {
    compose_table_ = xkb_compose_table_new_from_locale(context_, character_locale(),
                                                       XKB_COMPOSE_COMPILE_NO_FLAGS);
    if (!compose_table_)
        compose_table_ =
            xkb_compose_table_new_from_locale(context_, "C", XKB_COMPOSE_COMPILE_NO_FLAGS);
    if (compose_table_)
        compose_ = xkb_compose_state_new(compose_table_, XKB_COMPOSE_STATE_NO_FLAGS);
}

bool XkbLayout::load_from_server() {
    xkb_keymap *keymap =
        xkb_x11_keymap_new_from_device(context_, connection_, device_, XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (!keymap) return false;
    xkb_state *state = xkb_x11_state_new_from_device(keymap, connection_, device_);
    unsigned group = state ? xkb_state_serialize_layout(state, XKB_STATE_LAYOUT_EFFECTIVE) : 0;
    if (state) xkb_state_unref(state);
    load(keymap, group);
    return true;
}

// Takes over `keymap` and works out the modifier masks it uses.
void XkbLayout::load(xkb_keymap *keymap, unsigned group) {
    if (keymap_) xkb_keymap_unref(keymap_);
    keymap_ = keymap;
    group_ = group;
    shift_mask_ = real_modifier(keymap, XKB_MOD_NAME_SHIFT);
    caps_mask_ = real_modifier(keymap, XKB_MOD_NAME_CAPS);
    num_mask_ = modifiers_of_key(keymap, key_with_keysym(keymap, group, XKB_KEY_Num_Lock), true);
    // Windows knows AltGr only as the right Alt key (and Ctrl+Alt), and only in layouts that
    // have it; a layout whose third level sits on another key types nothing with Ctrl+Alt.
    right_alt_is_altgr_ = key_has_keysym(keymap, RIGHT_ALT, group, XKB_KEY_ISO_Level3_Shift);
    level3_mask_ = right_alt_is_altgr_ ? modifiers_of_key(keymap, RIGHT_ALT, false) : 0;
}

unsigned char XkbLayout::character(int scan_code, bool shift, bool caps_lock, bool altgr,
                                   bool num_lock) const {
    xkb_keycode_t key = x_keycode(scan_code);
    if (key == XKB_KEYCODE_INVALID) return 0;
    if (altgr && !level3_mask_) return 0; // no AltGr in this layout
    uint32_t code = symbol(key, shift, caps_lock, altgr, num_lock).code_point;
    // Caps Lock that would leave the code page (sharp s to its capital) leaves the key alone, as
    // Windows' layouts apply it only to letters that have a capital in the code page.
    if (caps_lock && !platform::cp1252_of_unicode(code))
        code = symbol(key, shift, false, altgr, num_lock).code_point;
    // Delete types no character under Windows.
    if (code == 0x7F) return 0;
    return platform::cp1252_of_unicode(code);
}

unsigned char XkbLayout::typed(int scan_code, bool shift, bool caps_lock, bool altgr,
                               bool num_lock) {
    xkb_keycode_t key = x_keycode(scan_code);
    if (compose_ && key != XKB_KEYCODE_INVALID && (!altgr || level3_mask_)) {
        xkb_keysym_t keysym = symbol(key, shift, caps_lock, altgr, num_lock).keysym;
        // Keys outside every sequence, modifiers among them, leave the state as it is.
        if (keysym != XKB_KEY_NoSymbol &&
            xkb_compose_state_feed(compose_, keysym) == XKB_COMPOSE_FEED_ACCEPTED) {
            switch (xkb_compose_state_get_status(compose_)) {
            case XKB_COMPOSE_COMPOSING: return 0;
            case XKB_COMPOSE_COMPOSED: {
                uint32_t code = xkb_keysym_to_utf32(xkb_compose_state_get_one_sym(compose_));
                xkb_compose_state_reset(compose_);
                return platform::cp1252_of_unicode(code);
            }
            case XKB_COMPOSE_CANCELLED: xkb_compose_state_reset(compose_); break;
            case XKB_COMPOSE_NOTHING: break;
            }
        }
    }
    return character(scan_code, shift, caps_lock, altgr, num_lock);
}

XkbLayout::Symbol XkbLayout::symbol(unsigned key, bool shift, bool caps_lock, bool altgr,
                                    bool num_lock) const {
    Symbol symbol;
    xkb_state *state = xkb_state_new(keymap_);
    if (!state) return symbol;
    unsigned held = (shift ? shift_mask_ : 0) | (altgr ? level3_mask_ : 0);
    unsigned locked = (caps_lock ? caps_mask_ : 0) | (num_lock ? num_mask_ : 0);
    xkb_state_update_mask(state, held, 0, locked, 0, 0, group_);
    // AltGr with a key that has nothing on its third level types nothing, as under Windows,
    // rather than the key's plain character.
    xkb_layout_index_t layout = xkb_state_key_get_layout(state, key);
    if (!altgr || xkb_state_key_get_level(state, key, layout) >= 2) {
        symbol.keysym = xkb_state_key_get_one_sym(state, key);
        symbol.code_point = xkb_state_key_get_utf32(state, key);
    }
    xkb_state_unref(state);
    return symbol;
}

} // namespace sdl_display
