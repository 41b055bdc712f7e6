# The package for client programs: the targets a client links, and the rules that install them
# with the public header (as <korva/gfx.h>), a CMake package (find_package(korva)) and
# pkg-config files (korva, korva-headless).
#
#   korva::gfx       the package on real windows, with the process entry that calls WinMain
#   korva::headless  the package on the virtual display, with the headless runner's entry
# A Windows build installs into a folder named after its compiler's target (see
# cmake/windows/package.cmake).
if(WIN32)
    set(CMAKE_INSTALL_INCLUDEDIR ${KORVA_MINGW_TARGET}/include)
    set(CMAKE_INSTALL_LIBDIR ${KORVA_MINGW_TARGET}/lib)
endif()
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

add_library(korva_gfx_program INTERFACE)
target_link_libraries(korva_gfx_program INTERFACE korva_gfx)
if(TARGET korva_entry)
    target_link_libraries(korva_gfx_program INTERFACE korva_entry)
endif()
add_library(korva::gfx ALIAS korva_gfx_program)
if(TARGET korva_headless)
    add_library(korva::headless ALIAS korva_headless)
endif()

# In the build tree <korva/gfx.h> forwards to gfx/gfx.h, so that the examples include the header
# by the name they use against an installed package.
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/include/korva/gfx.h
     CONTENT "// The package's public header by its installed name.\n#include \"gfx/gfx.h\"\n")
target_include_directories(korva_gfx PUBLIC $<BUILD_INTERFACE:${PROJECT_BINARY_DIR}/include>
                                            $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)

# The libraries that get installed, as one target: `make install` builds only these.
add_custom_target(korva_package)
foreach(target korva_gfx korva_platform korva_entry korva_headless)
    if(TARGET ${target})
        get_target_property(type ${target} TYPE)
        if(NOT type STREQUAL "INTERFACE_LIBRARY")
            add_dependencies(korva_package ${target})
        endif()
    endif()
endforeach()

# The CMake package of the installed targets (export set korva_targets): the targets, the
# config file made from CONFIG_TEMPLATE, and a version file, which also keeps a 64-bit program
# from taking a 32-bit package and the reverse.
function(korva_install_cmake_package config_template)
    set(KORVA_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/korva)
    install(EXPORT korva_targets NAMESPACE korva:: FILE korvaTargets.cmake
            DESTINATION ${KORVA_CMAKE_DIR})
    configure_package_config_file(${config_template} ${PROJECT_BINARY_DIR}/package/korvaConfig.cmake
                                  INSTALL_DESTINATION ${KORVA_CMAKE_DIR})
    write_basic_package_version_file(${PROJECT_BINARY_DIR}/package/korvaConfigVersion.cmake
                                     COMPATIBILITY SameMajorVersion)
    install(FILES ${PROJECT_BINARY_DIR}/package/korvaConfig.cmake
                  ${PROJECT_BINARY_DIR}/package/korvaConfigVersion.cmake
            DESTINATION ${KORVA_CMAKE_DIR})
endfunction()

# A Windows build has rules of its own: its library links only Windows' own. So has the web
# build: its programs are pages.
if(WIN32)
    include(cmake/windows/package.cmake)
    return()
endif()
if(EMSCRIPTEN)
    include(cmake/web/package.cmake)
    return()
endif()

# The pkg-config modules the libraries link, by the name of their imported target
# (PkgConfig::NAME), with the Debian packages that provide them. The libraries are static, so a
# client links these too: the CMake package and the pkg-config files are made from this list.
set(KORVA_PKG_CONFIG_DEPENDENCIES
    "SDL2|sdl2|libsdl2-dev"
    "FREETYPE|freetype2|libfreetype-dev"
    "FONTCONFIG|fontconfig|libfontconfig-dev"
    "X11_LIBS|xkbcommon xkbcommon-x11 xcb x11|libxkbcommon-x11-dev libx11-dev"
    "GIF|libgif|libgif-dev")

# Programs that link libraries built with the sanitizers need the sanitizers' runtime as well.
set(KORVA_CLIENT_LINK_OPTIONS "")
if(KORVA_SANITIZE)
    set(KORVA_CLIENT_LINK_OPTIONS -fsanitize=address,undefined)
    target_link_options(korva_gfx INTERFACE ${KORVA_CLIENT_LINK_OPTIONS})
endif()

# The modules of the PkgConfig:: targets the libraries link, for the package files. A target
# missing from the list above stops the configuration, as clients could not link.
set(used "")
foreach(target korva_gfx korva_platform korva_entry korva_headless)
    if(TARGET ${target})
        get_target_property(links ${target} LINK_LIBRARIES)
        get_target_property(interface_links ${target} INTERFACE_LINK_LIBRARIES)
        string(REGEX MATCHALL "PkgConfig::[A-Za-z0-9_]+" found "${links};${interface_links}")
        list(APPEND used ${found})
    endif()
endforeach()
list(REMOVE_DUPLICATES used)
set(KORVA_CONFIG_IMPORTS "")
set(KORVA_PC_REQUIRES "")
foreach(dependency ${KORVA_PKG_CONFIG_DEPENDENCIES})
    string(REPLACE "|" ";" fields "${dependency}")
    list(GET fields 0 name)
    list(GET fields 1 modules)
    list(GET fields 2 debian_packages)
    list(FIND used PkgConfig::${name} position)
    if(position LESS 0)
        continue()
    endif()
    list(REMOVE_AT used ${position})
    string(APPEND KORVA_CONFIG_IMPORTS
           "_korva_import_modules(${name} \"${modules}\" \"${debian_packages}\")\n")
    string(APPEND KORVA_PC_REQUIRES "${modules} ")
endforeach()
if(used)
    message(FATAL_ERROR "The libraries link ${used}: add to KORVA_PKG_CONFIG_DEPENDENCIES in "
                        "cmake/package.cmake")
endif()
string(APPEND KORVA_PC_REQUIRES "libpng")

# The header keeps its own include of "platform/win_entry.h" (WinMain and its argument types,
# nothing else of the stand-in), which resolves beside it.
install(FILES gfx/gfx.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/korva)
install(FILES platform/win_entry.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/korva/platform)

set_target_properties(korva_gfx_program PROPERTIES EXPORT_NAME gfx)
set_target_properties(korva_gfx PROPERTIES EXPORT_NAME package)
set(KORVA_INSTALLED_TARGETS korva_gfx_program korva_gfx korva_platform)
foreach(target korva_entry korva_headless)
    if(TARGET ${target})
        list(APPEND KORVA_INSTALLED_TARGETS ${target})
    endif()
endforeach()
set_target_properties(korva_platform PROPERTIES EXPORT_NAME platform)
if(TARGET korva_entry)
    set_target_properties(korva_entry PROPERTIES EXPORT_NAME entry)
endif()
if(TARGET korva_headless)
    set_target_properties(korva_headless PROPERTIES EXPORT_NAME headless)
endif()
install(TARGETS ${KORVA_INSTALLED_TARGETS} EXPORT korva_targets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})

korva_install_cmake_package(cmake/korvaConfig.cmake.in)

# The pkg-config files name the prefix the package is installed to, which `cmake --install
# --prefix` may choose after configuring: they are written when installing.
set(KORVA_PC_FILES "korva korva-headless")
set(KORVA_PC_TEMPLATES ${PROJECT_SOURCE_DIR}/cmake)
configure_file(cmake/install-pkgconfig.cmake.in ${PROJECT_BINARY_DIR}/package/install-pkgconfig.cmake
               @ONLY)
install(SCRIPT ${PROJECT_BINARY_DIR}/package/install-pkgconfig.cmake)
