#!/bin/sh
# Makes a fresh Wine prefix for the tests:  prefix.sh PREFIX
# Wine's own fonts are copied into it: Debian's Wine does not find them where they are
# installed, and without them the stock fonts (ANSI_FIXED_FONT, the menu font) fall back to
# other faces with other metrics.
set -e
prefix=$1
wineserver_of() { WINEPREFIX="$prefix" wineserver "$@" 2>/dev/null || true; }
if [ -d "$prefix" ]; then
    wineserver_of -k
    rm -rf "$prefix"
fi
mkdir -p "$(dirname "$prefix")"
export WINEPREFIX="$prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i
cp /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/"
