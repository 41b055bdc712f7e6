# Debian packages, made with CPack's DEB generator (make deb, in a build configured for /usr):
#   korva-dev      the package for programs of one's own: the header, the static libraries, the
#                  CMake package and the pkg-config files (cmake/package.cmake's rules, the
#                  "dev" component), and the examples' sources
#   korva-bugdemo  the demo and its headless runner, their manual pages, a desktop entry and
#                  its icon
# What only the packages hold is left out of a plain `cmake --install`.
set(KORVA_DEB_FILES ${PROJECT_SOURCE_DIR}/packaging/debian)
set(KORVA_DEB_CONTACT "maintainers@users.noreply.c-seed-8cb96239.example"
    CACHE STRING "The mail address the Debian packages name for the KORVA project")
set(KORVA_DEB_MAINTAINER "The KORVA project <${KORVA_DEB_CONTACT}>")
set(deb_work ${PROJECT_BINARY_DIR}/debian)

# Manual pages and changelogs are compressed as Debian keeps them (gzip -9n: no name, no time).
function(korva_deb_gzip source output)
    add_custom_command(OUTPUT ${output} COMMAND gzip -9n -c ${source} > ${output}
                       DEPENDS ${source} VERBATIM)
    list(APPEND KORVA_DEB_COMPRESSED ${output})
    set(KORVA_DEB_COMPRESSED ${KORVA_DEB_COMPRESSED} PARENT_SCOPE)
endfunction()
set(KORVA_DEB_COMPRESSED "")
foreach(page bugdemo.1 bugdemo-headless.1)
    korva_deb_gzip(${KORVA_DEB_FILES}/${page} ${deb_work}/${page}.gz)
endforeach()
configure_file(${KORVA_DEB_FILES}/changelog ${deb_work}/changelog @ONLY)
configure_file(${KORVA_DEB_FILES}/copyright ${deb_work}/copyright @ONLY)
korva_deb_gzip(${deb_work}/changelog ${deb_work}/changelog.gz)
add_custom_target(korva_deb_files ALL DEPENDS ${KORVA_DEB_COMPRESSED})

# All the packages hold, for a build that makes only them (make deb builds this target alone).
add_custom_target(korva_deb_contents)
add_dependencies(korva_deb_contents korva_package korva_deb_files bugdemo bugdemo-headless)

# Each package's copyright file and changelog.
foreach(component dev bugdemo)
    set(doc ${CMAKE_INSTALL_DATADIR}/doc/korva-${component})
    install(FILES ${deb_work}/copyright ${deb_work}/changelog.gz DESTINATION ${doc}
            COMPONENT ${component} EXCLUDE_FROM_ALL)
endforeach()

install(DIRECTORY examples/ball examples/pad examples/readme
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/korva-dev/examples COMPONENT dev EXCLUDE_FROM_ALL)

install(TARGETS bugdemo bugdemo-headless RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        COMPONENT bugdemo EXCLUDE_FROM_ALL)
install(FILES ${deb_work}/bugdemo.1.gz ${deb_work}/bugdemo-headless.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT bugdemo EXCLUDE_FROM_ALL)
install(FILES ${KORVA_DEB_FILES}/korva-bugdemo.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT bugdemo EXCLUDE_FROM_ALL)
# The icon is the demo's own picture: a bug from the headless runner's shot after `wait 6000`,
# cropped to 180x180+176+232 and scaled down (ImageMagick, Lanczos).
foreach(size 48 128)
    install(FILES ${KORVA_DEB_FILES}/korva-bugdemo-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME korva-bugdemo.png COMPONENT bugdemo EXCLUDE_FROM_ALL)
endforeach()

# The Debian packages a client's link line needs, from the list the package files are made from.
set(dev_depends "")
foreach(dependency ${KORVA_PKG_CONFIG_DEPENDENCIES})
    string(REPLACE "|" ";" fields "${dependency}")
    list(GET fields 2 debian_packages)
    string(REPLACE " " ";" debian_packages "${debian_packages}")
    list(APPEND dev_depends ${debian_packages})
endforeach()
# The stand-in's faces: Liberation Sans, and the 8x13 fixed face of xfonts-base, which Debian
# lets packages recommend but not depend on, as it does all X fonts (apt installs recommended
# packages unless told not to; without the face a program says which package it needs).
list(APPEND dev_depends libpng-dev fonts-liberation)
list(JOIN dev_depends ", " CPACK_DEBIAN_DEV_PACKAGE_DEPENDS)
set(CPACK_DEBIAN_BUGDEMO_PACKAGE_DEPENDS fonts-liberation)
set(CPACK_DEBIAN_DEV_PACKAGE_RECOMMENDS "xfonts-base, g++, cmake, pkg-config")
set(CPACK_DEBIAN_BUGDEMO_PACKAGE_RECOMMENDS xfonts-base)
set(CPACK_DEBIAN_BUGDEMO_PACKAGE_SHLIBDEPS ON)

set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL dev bugdemo)
set(CPACK_PACKAGE_NAME korva)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${KORVA_DEB_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${KORVA_DEB_MAINTAINER})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_DEV_PACKAGE_NAME korva-dev)
set(CPACK_DEBIAN_BUGDEMO_PACKAGE_NAME korva-bugdemo)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_BUGDEMO_PACKAGE_SECTION education)
string(CONCAT CPACK_COMPONENT_DEV_DESCRIPTION
    "KORVA graphics package for programs of your own\n"
    "A small graphics package: a 601 x 540 canvas with the origin at the centre,\n"
    "drawing calls in a palette of 24 colours, one blocking call that returns the\n"
    "next event, a Run menu with Ctrl-key shortcuts, a log window, and recording\n"
    "and playback of events. Programs link korva::gfx (pkg-config korva) for real\n"
    "windows, or korva::headless (korva-headless) to run from a file of actions\n"
    "without a display. The same sources build for Windows.")
string(CONCAT CPACK_COMPONENT_BUGDEMO_DESCRIPTION
    "animated bugs walking over a landscape, steered from a panel\n"
    "Up to nine bugs walk over a landscape with a sun, mountains, a tulip and\n"
    "fish in the water. A panel of buttons drawn in the picture makes the chosen\n"
    "bug go or stop, walk faster or slower, glide or hop, change its colour, and\n"
    "adds or deletes bugs. bugdemo-headless plays the demo from a file of actions\n"
    "without a display and saves its pictures.")
# The packages hold the package files with their final prefix, /usr.
set(CPACK_SET_DESTDIR ON)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_OUTPUT_FILE_PREFIX ${KORVA_DEB_OUTPUT})
include(CPack)
