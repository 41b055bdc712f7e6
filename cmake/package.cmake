# The package for client programs: the targets a client links, and the rules that install them
# with the public header (as <korva/gfx.h>), a CMake package (find_package(korva)) and
# pkg-config files (korva, korva-headless).
#
#   korva::gfx       the package on real windows, with the process entry that calls WinMain
#   korva::headless  the package on the virtual display, with the headless runner's entry
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

# Programs that link libraries built with the sanitizers need the sanitizers' runtime as well.
set(KORVA_CLIENT_LINK_OPTIONS "")
if(KORVA_SANITIZE)
    set(KORVA_CLIENT_LINK_OPTIONS -fsanitize=address,undefined)
    target_link_options(korva_gfx INTERFACE ${KORVA_CLIENT_LINK_OPTIONS})
endif()

# The header keeps its own include of "platform/win.h", which resolves beside it.
install(FILES gfx/gfx.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/korva)
install(FILES platform/win.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/korva/platform)

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

set(KORVA_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/korva)
install(EXPORT korva_targets NAMESPACE korva:: FILE korvaTargets.cmake
        DESTINATION ${KORVA_CMAKE_DIR})
configure_package_config_file(cmake/korvaConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/package/korvaConfig.cmake
                              INSTALL_DESTINATION ${KORVA_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/package/korvaConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/package/korvaConfig.cmake
              ${PROJECT_BINARY_DIR}/package/korvaConfigVersion.cmake
        DESTINATION ${KORVA_CMAKE_DIR})

# The pkg-config files name the prefix the package is installed to, which `cmake --install
# --prefix` may choose after configuring: they are written when installing.
if(NOT WIN32)
    configure_file(cmake/install-pkgconfig.cmake.in
                   ${PROJECT_BINARY_DIR}/package/install-pkgconfig.cmake @ONLY)
    install(SCRIPT ${PROJECT_BINARY_DIR}/package/install-pkgconfig.cmake)
endif()
