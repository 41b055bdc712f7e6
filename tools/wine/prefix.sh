#!/bin/sh
# Makes a fresh Wine prefix for the tests:  prefix.sh PREFIX [win32|win64]
# The second argument is the prefix's architecture: win32 runs 32-bit programs only, win64 (the
# default) runs 64-bit ones.
# Wine's own fonts are copied into it: Debian's Wine does not find them where they are
# installed, and without them the stock fonts (ANSI_FIXED_FONT, the menu font) fall back to
# other faces with other metrics.
set -e
prefix=$1
arch=${2:-win64}
# An old prefix's Wine server has ended before the prefix is removed: a server still shutting
# down writes its registry files into it.
if [ -d "$prefix" ]; then
    "$(dirname "$0")/stop.sh" "$prefix"
    rm -rf "$prefix"
fi
mkdir -p "$(dirname "$prefix")"
export WINEPREFIX="$prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH="$arch"
wineboot -i
cp /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/"
