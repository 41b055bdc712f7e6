# What the two mingw-w64 toolchain files share; each sets CMAKE_SYSTEM_PROCESSOR and
# KORVA_MINGW_PREFIX (the compilers' target triplet) before including this.
# The programs are linked statically, so they run without the compiler's runtime DLLs (under Wine
# or on Windows).
set(CMAKE_SYSTEM_NAME Windows)

# The compilers with the POSIX thread model: the Win32 one lacks std::mutex, which GoogleTest
# needs. Static linking puts the thread library into the programs too.
set(CMAKE_C_COMPILER ${KORVA_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KORVA_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${KORVA_MINGW_PREFIX}-windres)

# Libraries and headers come from the target's sysroot only; programs run on the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${KORVA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Installed with a Windows build of the KORVA package (make install-windows, into
# PREFIX/share/korva), the toolchain file finds the package in PREFIX's folder for its target.
get_filename_component(KORVA_INSTALLED_ROOT ${CMAKE_CURRENT_LIST_DIR}/../../${KORVA_MINGW_PREFIX}
                       ABSOLUTE)
if(IS_DIRECTORY ${KORVA_INSTALLED_ROOT}/lib/cmake/korva)
    list(APPEND CMAKE_FIND_ROOT_PATH ${KORVA_INSTALLED_ROOT})
endif()
