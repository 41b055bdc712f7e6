# The web build's package, for client programs built with emcmake (make install-web): the
# header, the libraries (FreeType for WebAssembly among them), a CMake package (korva::gfx) and
# the page's files (its script, its shell and the fonts it embeds) under PREFIX/share/korva/web.
#   emcmake cmake -S . -B build-web -DCMAKE_PREFIX_PATH=PREFIX && cmake --build build-web
# makes each program PROGRAM.html with its .js, .wasm and .data.

install(FILES gfx/gfx.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/korva)
install(FILES platform/win_entry.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/korva/platform)
install(FILES ${KORVA_WEB_FREETYPE}/lib/libfreetype.a DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES platform/display/web/web_page.js platform/display/web/shell.html
        DESTINATION share/korva/web)
install(FILES ${KORVA_WEB_FONTS} DESTINATION share/korva/web/fonts)

set_target_properties(korva_gfx_program PROPERTIES EXPORT_NAME gfx)
set_target_properties(korva_gfx PROPERTIES EXPORT_NAME package)
set_target_properties(korva_platform PROPERTIES EXPORT_NAME platform)
set_target_properties(korva_entry PROPERTIES EXPORT_NAME entry)
set_target_properties(korva_web_freetype PROPERTIES EXPORT_NAME freetype)
install(TARGETS korva_gfx_program korva_gfx korva_platform korva_entry korva_web_freetype
        EXPORT korva_targets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})

korva_install_cmake_package(cmake/web/korvaConfig.cmake.in)
