// The Windows GUI entry of a program on the stand-in: WinMain and the types of its arguments.
//
// The package's public header includes only this part of the stand-in, so that a program's own
// names (SIZE, POINT, ...) never meet the rest of the Windows subset; platform/win.h includes it
// for the package itself, so both see one declaration of each type. On Windows <windows.h>
// declares all of it.
#pragma once

#ifndef _WIN32

#define WINAPI

typedef char *LPSTR;

// A handle is an opaque, distinct pointer type, as in a STRICT Windows build.
struct HINSTANCE__ {
    int unused;
};
typedef struct HINSTANCE__ *HINSTANCE;

// Supplied by the program; the process entry calls it.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous_instance, LPSTR command_line,
                   int show_mode);

#endif // _WIN32
