// Window classes (RegisterClassA) and the stock icon and cursor tokens.
#include "platform/handle_table.h"
#include "platform/user/instance.h"
#include "platform/user/reset.h"
#include "platform/user/window_table.h"

#include <strings.h>
#include <vector>

namespace {

// Registered classes in registration order; an atom is 0xC000 plus the index, as Windows numbers
// string atoms. Classes are never unregistered.
std::vector<user::WindowClass> &classes() {
    static std::vector<user::WindowClass> list;
    return list;
}

constexpr ATOM FIRST_ATOM = 0xC000;

// MAKEINTATOM and MAKEINTRESOURCE values are small integers in a pointer, not strings.
bool is_int_resource(LPCSTR name) {
    return reinterpret_cast<uintptr_t>(name) <= 0xFFFF;
}

} // namespace

namespace user {

WindowClass *find_class_by_atom(ATOM atom) {
    if (atom < FIRST_ATOM || size_t(atom - FIRST_ATOM) >= classes().size()) return nullptr;
    return &classes()[atom - FIRST_ATOM];
}

WindowClass *find_class(LPCSTR name_or_atom) {
    if (!name_or_atom) return nullptr;
    if (is_int_resource(name_or_atom))
        return find_class_by_atom(ATOM(reinterpret_cast<uintptr_t>(name_or_atom)));
    for (WindowClass &c : classes())
        if (strcasecmp(c.name.c_str(), name_or_atom) == 0) return &c;
    return nullptr;
}

} // namespace user

ATOM RegisterClassA(const WNDCLASSA *wc) {
    // A class without a procedure could never be dispatched to; Windows would crash later.
    if (!wc || !wc->lpfnWndProc || !wc->lpszClassName || is_int_resource(wc->lpszClassName) ||
        wc->lpszClassName[0] == '\0')
        return 0;
    if (user::find_class(wc->lpszClassName)) return 0; // already registered
    if (classes().size() >= size_t(0x10000 - FIRST_ATOM)) return 0;
    user::WindowClass c;
    c.name = wc->lpszClassName;
    c.atom = ATOM(FIRST_ATOM + classes().size());
    c.style = wc->style;
    c.procedure = wc->lpfnWndProc;
    c.background = wc->hbrBackground;
    c.icon = wc->hIcon;
    c.cursor = wc->hCursor;
    c.instance = wc->hInstance;
    classes().push_back(c);
    return c.atom;
}

// ---- Icons and cursors: the stock ones exist as tokens; nothing is drawn with them. ----------

namespace {

platform::HandleTable<int> &resource_tokens() {
    static platform::HandleTable<int> table{platform::HandleKind::Resource};
    return table;
}

// The token of a system resource id (IDI_* or IDC_*), the same on every call.
uintptr_t stock_token(bool cursor, LPCSTR name) {
    struct Entry {
        bool cursor;
        uintptr_t id;
        uintptr_t token;
    };
    static std::vector<Entry> made;
    uintptr_t id = reinterpret_cast<uintptr_t>(name);
    for (const Entry &e : made)
        if (e.cursor == cursor && e.id == id) return e.token;
    uintptr_t token = resource_tokens().add(int(id));
    made.push_back({cursor, id, token});
    return token;
}

// The system's own icons and cursors are numbered 32512 (IDI_APPLICATION, IDC_ARROW) to 32767.
bool is_system_resource(HINSTANCE instance, LPCSTR name) {
    uintptr_t id = reinterpret_cast<uintptr_t>(name);
    return !instance && is_int_resource(name) && id >= 32512 && id <= 32767;
}

} // namespace

HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
    // Programs carry no resources here, so only the system's icons exist.
    if (!is_system_resource(instance, name)) return nullptr;
    return reinterpret_cast<HICON>(stock_token(false, name));
}

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
    if (!is_system_resource(instance, name)) return nullptr;
    return reinterpret_cast<HCURSOR>(stock_token(true, name));
}

HINSTANCE user::program_instance() {
    static const uintptr_t token = resource_tokens().add(0);
    return reinterpret_cast<HINSTANCE>(token);
}

// The stock icon and cursor tokens stay: they stand for the system's resources, which a
// process finds the same at every start.
void user::reset_classes() {
    classes().clear();
}

namespace {
std::vector<user::WindowClass> saved_classes;
}

void user::save_classes() {
    saved_classes = classes();
}

void user::restore_classes() {
    classes() = saved_classes;
}
