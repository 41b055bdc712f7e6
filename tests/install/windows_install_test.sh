#!/bin/sh
# The Windows package as a student cross-building on Linux meets it: both Windows builds
# installed into a fresh prefix (as make install-windows does), the two examples copied to clean
# folders and built against it for 64- and 32-bit Windows with CMake and the installed toolchain
# files, and with a plain mingw-w64 g++ line and pkg-config; each CMake-built program then runs
# under Wine until its windows show, and is quit with Ctrl+Q. Needs an X display.
#   windows_install_test.sh WORK WINDOWS_BUILD WINDOWS32_BUILD
set -eu
work=$1
builds="$2 $3"
source=$(cd "$(dirname "$0")/../.." && pwd)
prefix=$work/prefix

fail() {
    echo "Windows install test: $*" >&2
    exit 1
}
[ -n "${DISPLAY:-}" ] || fail "no X display (run it under xvfb-run)"
rm -rf "$work"
mkdir -p "$work"
work=$(cd "$work" && pwd)
prefix=$work/prefix
for build in $builds; do
    cmake --install "$build" --prefix "$prefix" >"$work/install.log" ||
        fail "cannot install $build: $(cat "$work/install.log")"
done
trap 'for p in "$work"/wine-*; do "$source/tools/wine/stop.sh" "$p"; done' EXIT

# One width: its target, toolchain file, Wine architecture.
check_width() {
    target=$1
    toolchain=$prefix/share/korva/$2
    wine_prefix=$work/wine-$3
    runs=yes
    [ "$3" = win32 ] && ! "$source/tools/wine/has-wine32.sh" && runs=no
    if [ $runs = yes ]; then
        "$source/tools/wine/prefix.sh" "$wine_prefix" "$3" >"$work/wine-$3.log" 2>&1 ||
            fail "cannot make a $3 Wine prefix: $(cat "$work/wine-$3.log")"
    fi
    for example in ball pad; do
        folder=$work/$target/$example
        mkdir -p "$folder"
        cp -r "$source/examples/$example" "$folder/src"
        log=$folder/build.log
        cmake -S "$folder/src" -B "$folder/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
            "-DCMAKE_CXX_FLAGS=-Wall -Wextra -Wpedantic -Werror" >"$log" 2>&1 &&
            cmake --build "$folder/build" >>"$log" 2>&1 || fail "$example for $target: $(cat "$log")"
        grep -qx "korva_DIR:PATH=$prefix/$target/lib/cmake/korva" "$folder/build/CMakeCache.txt" ||
            fail "$example for $target did not find the package in $prefix/$target"

        (cd "$folder" && "$target-g++" -Wall -Wextra -Wpedantic -Werror -static -mwindows \
            src/$example.cpp $(PKG_CONFIG_LIBDIR="$prefix/$target/lib/pkgconfig" \
                pkg-config --cflags --libs korva) -o "$example-pkg-config.exe") >"$log" 2>&1 ||
            fail "$example for $target with pkg-config: $(cat "$log")"

        if [ $runs = no ]; then
            echo "NOTICE: without 32-bit Wine, $example.exe for $target was built but NOT run"
            continue
        fi
        motion=still
        [ "$example" = ball ] && motion=animates
        "$source/tests/windows/window_smoke.sh" "$wine_prefix" "$folder/build/$example.exe" \
            "$motion" || fail "$example.exe for $target"
    done
}
check_width x86_64-w64-mingw32 mingw-w64.cmake win64
check_width i686-w64-mingw32 mingw-w64-i686.cmake win32
if "$source/tools/wine/has-wine32.sh"; then
    echo "The examples built against the installed package for 64- and 32-bit Windows and ran under Wine"
else
    echo "The examples built against the installed package for 64- and 32-bit Windows; the 64-bit ones ran under Wine"
fi
