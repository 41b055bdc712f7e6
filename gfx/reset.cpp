// The package's state: every variable of the table in state.h, defined once here, and put back
// as a process starts it, for harnesses that run the package many times in one process.
#include "gfx/state.h"

#define DEFINE_VARIABLE(type, name, start) type name = start;
#define DEFINE_ARRAY(type, name, count) type name[count] = {};
PACKAGE_STATE(DEFINE_VARIABLE, DEFINE_ARRAY)

void reset_package_state() {
    // Closing the stream also forgets its direction.
    close_script_file();
#define RESET_VARIABLE(type, name, start) name = start;
#define RESET_ARRAY(type, name, count)                                                             \
    for (type & element : name) element = type{};
    PACKAGE_STATE(RESET_VARIABLE, RESET_ARRAY)
}

#define DEFINE_SAVED_VARIABLE(type, name, start) static type saved_##name = start;
#define DEFINE_SAVED_ARRAY(type, name, count) static type saved_##name[count] = {};
PACKAGE_STATE(DEFINE_SAVED_VARIABLE, DEFINE_SAVED_ARRAY)

void save_package_state() {
#define SAVE_VARIABLE(type, name, start) saved_##name = name;
#define SAVE_ARRAY(type, name, count)                                                              \
    for (int i = 0; i < count; i++) saved_##name[i] = name[i];
    PACKAGE_STATE(SAVE_VARIABLE, SAVE_ARRAY)
}

void restore_package_state() {
    close_script_file();
#define RESTORE_VARIABLE(type, name, start) name = saved_##name;
#define RESTORE_ARRAY(type, name, count)                                                           \
    for (int i = 0; i < count; i++) name[i] = saved_##name[i];
    PACKAGE_STATE(RESTORE_VARIABLE, RESTORE_ARRAY)
}
