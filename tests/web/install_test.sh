#!/bin/sh
# The web build of the package installed (as make install-web does) and a client program built
# against it as the README shows: examples/readme (hello.cpp and its CMakeLists.txt, the same
# source as on the desktop) becomes pages, and hello.html draws the desktop's picture.
#   install_test.sh WEB_BUILD NATIVE_BIN
# Exits 77 (skipped) without the web build or Emscripten.
set -eu
web_build=$(realpath "$1")
native_bin=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
if [ ! -f "$web_build/CMakeCache.txt" ] || ! command -v emcmake >/dev/null; then
    echo "skipped: no web build in $web_build (make web makes it)"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export NODE_PATH=/usr/share/nodejs
cmake --install "$web_build" --prefix "$work/prefix" >/dev/null
emcmake cmake -S "$here/../../examples/readme" -B "$work/client" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_FIND_ROOT_PATH="$work/prefix" >/dev/null
cmake --build "$work/client" --target hello >/dev/null
node "$here/web_test.js" "$work/client" "$native_bin" hello
