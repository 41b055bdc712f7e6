#!/bin/sh
# Builds FreeType for WebAssembly from Debian's source package of the FreeType the native build
# links (the same version draws the same glyph pixels), into DIR/install:
#   tools/web/build-freetype.sh DIR
# Adds a deb-src entry for Debian's suites to apt's sources when none is there, once. Needs
# emscripten (emcmake) and dpkg-dev (dpkg-source). Does nothing when DIR/install is built.
set -e
dir=$1
[ -n "$dir" ] || { echo "usage: $0 DIR" >&2; exit 2; }
[ -f "$dir/install/lib/libfreetype.a" ] && exit 0
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi

# The source entry: Debian's own archives, the suites the binary packages come from.
sources=/etc/apt/sources.list.d/korva-deb-src.sources
if ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    echo "Adding a deb-src entry for Debian's sources ($sources)"
    printf '%s\n' \
        "# Source packages, for building FreeType for WebAssembly (korva's make web)." \
        "Types: deb-src" \
        "URIs: http://deb.debian.org/debian" \
        "Suites: bookworm bookworm-updates" \
        "Components: main" \
        "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg" \
        "" \
        "Types: deb-src" \
        "URIs: http://deb.debian.org/debian-security" \
        "Suites: bookworm-security" \
        "Components: main" \
        "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg" | $sudo tee "$sources" >/dev/null
fi

mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
if ! ls -d "$dir"/freetype-*/ >/dev/null 2>&1; then
    # Only the source lists are brought up to date: an index of another architecture that a
    # mirror has not synced yet cannot stop this.
    tries=0
    until $sudo apt-get update -qq -o Dir::Etc::sourcelist="$sources" -o Dir::Etc::sourceparts=- \
        -o APT::Get::List-Cleanup=0; do
        tries=$((tries + 1))
        [ $tries -ge 3 ] && { echo "apt-get update of the source lists failed" >&2; exit 1; }
        sleep 10
    done
    # The version the native build links, else the suite's.
    version=$(dpkg-query -W -f='${source:Version}' libfreetype6 2>/dev/null || true)
    (cd "$dir" && { apt-get source -qq "freetype=$version" 2>/dev/null ||
        apt-get source -qq freetype; })
fi
src=$(ls -d "$dir"/freetype-*/ | head -1)

# FreeType alone: no zlib, bzip2, png, HarfBuzz or Brotli (its own gzip reader reads the
# compressed bitmap font).
NODE_PATH=/usr/share/nodejs emcmake cmake -S "$src" -B "$dir/build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$dir/install" -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON \
    -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON >/dev/null
NODE_PATH=/usr/share/nodejs cmake --build "$dir/build" -j "${JOBS:-2}" >/dev/null
cmake --install "$dir/build" >/dev/null
echo "FreeType for WebAssembly: $dir/install"
