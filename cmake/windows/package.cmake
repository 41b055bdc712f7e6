# The Windows build's package, for client programs cross-built with mingw-w64 (make
# install-windows): the header, the library, a CMake package (korva::gfx) and a pkg-config file
# (korva). Each build installs them into a folder of the prefix named after its compiler's
# target, as Debian keeps mingw-w64's own libraries (PREFIX/x86_64-w64-mingw32/include/korva,
# .../lib, .../lib/cmake/korva, .../lib/pkgconfig), and its toolchain file into PREFIX/share/korva,
# from where it finds the package in that folder:
#   cmake -S . -B build -DCMAKE_TOOLCHAIN_FILE=PREFIX/share/korva/mingw-w64.cmake       (64-bit)
#   cmake -S . -B build -DCMAKE_TOOLCHAIN_FILE=PREFIX/share/korva/mingw-w64-i686.cmake  (32-bit)

install(FILES gfx/gfx.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/korva)
install(FILES platform/win.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/korva/platform)

set_target_properties(korva_gfx_program PROPERTIES EXPORT_NAME gfx)
set_target_properties(korva_gfx PROPERTIES EXPORT_NAME package)
set_target_properties(korva_platform PROPERTIES EXPORT_NAME platform)
install(TARGETS korva_gfx_program korva_gfx korva_platform EXPORT korva_targets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})

korva_install_cmake_package(cmake/windows/korvaConfig.cmake.in)

# The toolchain file of this build's width, and the part both share.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(toolchain mingw-w64-i686.cmake)
else()
    set(toolchain mingw-w64.cmake)
endif()
install(FILES cmake/${toolchain} cmake/mingw-w64-common.cmake DESTINATION share/korva)

# The pkg-config file names the prefix chosen when installing (see cmake/package.cmake).
set(KORVA_PC_FILES korva)
set(KORVA_PC_TEMPLATES ${PROJECT_SOURCE_DIR}/cmake/windows)
set(KORVA_PC_REQUIRES "")
set(KORVA_CLIENT_LINK_OPTIONS "")
configure_file(cmake/install-pkgconfig.cmake.in ${PROJECT_BINARY_DIR}/package/install-pkgconfig.cmake
               @ONLY)
install(SCRIPT ${PROJECT_BINARY_DIR}/package/install-pkgconfig.cmake)
