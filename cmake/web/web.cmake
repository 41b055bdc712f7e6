# The web build (emcmake cmake): the package, the demo and the examples as WebAssembly pages.
# FreeType is Debian's own source built for WebAssembly (tools/web/build-freetype.sh, which
# `make web` runs) in KORVA_WEB_FREETYPE; there is no fontconfig: the font files the native
# build pins are embedded in each page at the paths it looks for them.
set(KORVA_WEB_FREETYPE "" CACHE PATH "FreeType built for WebAssembly (its install prefix)")
if(NOT EXISTS "${KORVA_WEB_FREETYPE}/lib/libfreetype.a")
    message(FATAL_ERROR "No FreeType for WebAssembly in KORVA_WEB_FREETYPE=${KORVA_WEB_FREETYPE}: "
                        "build it with tools/web/build-freetype.sh (make web does)")
endif()

# A program is a page: PROGRAM.html, with its .js, .wasm and .data (the fonts); all of them in
# KORVA_WEB_OUTPUT when set (make web: build/web).
set(CMAKE_EXECUTABLE_SUFFIX ".html")
set(KORVA_WEB_OUTPUT "" CACHE PATH "Where the pages go (default: the build's bin)")
if(KORVA_WEB_OUTPUT)
    set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${KORVA_WEB_OUTPUT})
endif()

# The embedded fonts: Liberation Sans regular and bold, and the 8x13 fixed font, each at the
# path the stand-in looks for it (platform/gdi/text/font_files.cpp).
set(KORVA_WEB_FONTS "")
foreach(font LiberationSans-Regular.ttf LiberationSans-Bold.ttf)
    find_file(KORVA_FONT_${font} ${font} NO_CACHE NO_CMAKE_FIND_ROOT_PATH
              PATHS /usr/share/fonts/truetype/liberation /usr/share/fonts/truetype/liberation2)
    if(NOT KORVA_FONT_${font})
        message(FATAL_ERROR "${font} is missing: apt-get install fonts-liberation")
    endif()
    list(APPEND KORVA_WEB_FONTS ${KORVA_FONT_${font}})
endforeach()
set(fixed_font /usr/share/fonts/X11/misc/8x13-ISO8859-1.pcf.gz)
if(NOT EXISTS ${fixed_font})
    message(FATAL_ERROR "${fixed_font} is missing: apt-get install xfonts-base")
endif()
list(APPEND KORVA_WEB_FONTS ${fixed_font})

# WebAssembly's 128-bit SIMD (every current browser has it): the compiler vectorizes the
# rasterizer's spans and the present's pixel conversion with it.
add_compile_options(-msimd128)
