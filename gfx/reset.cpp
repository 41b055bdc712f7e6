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
