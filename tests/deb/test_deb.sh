#!/bin/sh
# The Debian packages on this machine, as a teacher installs them: both installed with apt-get
# from their files, the README's hello.cpp built against /usr with find_package and with
# pkg-config, its headless build run with the README's actions (its log and its picture checked),
# bugdemo and bugdemo-headless run from /usr/bin; then both packages purged, and nothing of
# theirs may be left. Packages that apt-get installed for them are purged too, so the machine
# is left as it was. Needs root, or sudo.
#   test_deb.sh DEB_FOLDER
set -u
debs=$(cd "$1" && pwd)
source=$(cd "$(dirname "$0")/../.." && pwd)
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
apt() { DEBIAN_FRONTEND=noninteractive $sudo apt-get -y -q -o DPkg::Lock::Timeout=300 "$@"; }
packages="korva-dev korva-bugdemo"
failures=0
check() { # check WHAT COMMAND...: runs the command, says whether it passed
    what=$1
    shift
    if ("$@") >"$work/check.log" 2>&1; then
        echo "test-deb: ok: $what"
    else
        echo "test-deb: FAILED: $what" >&2
        sed 's/^/    /' "$work/check.log" >&2
        failures=$((failures + 1))
    fi
}

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
for p in $packages; do
    if installed "$p"; then
        echo "test-deb: $p is installed on this machine already; remove it first" >&2
        exit 1
    fi
done
set -- "$debs"/korva-dev_*_*.deb "$debs"/korva-bugdemo_*_*.deb
for deb in "$@"; do
    [ -f "$deb" ] || { echo "test-deb: no package $deb (make deb makes them)" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work" # apt's sandbox user reads the package files from here
cp "$@" "$work/"

# What apt-get will newly install besides the two packages (not what it upgrades), to be purged
# again at the end.
apt -s install "$work"/*.deb | sed -n 's/^Inst \([^ ]*\) (.*/\1/p' |
    grep -vx -e korva-dev -e korva-bugdemo >"$work/pulled-in" || true
started=$(date +%s)
apt install "$work"/*.deb >"$work/install.log" 2>&1 ||
    { cat "$work/install.log" >&2; echo "test-deb: apt-get install failed" >&2; exit 1; }
echo "test-deb: installed $packages$( [ -s "$work/pulled-in" ] && printf ' and' &&
    tr '\n' ' ' <"$work/pulled-in" | sed 's/^/ /') in $(($(date +%s) - started)) s"

# The README's hello.cpp, its CMakeLists.txt and its actions, as a reader copies them.
readme=$source/README.md
fenced() { awk -v after="$1" 'index($0, after) { found = 1; next }
    found && /^```/ { if (inside) exit; inside = 1; next } inside' "$readme"; }
indented() { awk -v after="$1" 'index($0, after) { found = 1; next }
    found && /^    / { inside = 1; print substr($0, 5); next } inside && !/^    / { exit }' "$readme"; }
hello=$work/hello
mkdir -p "$hello"
fenced '`hello.cpp`:' >"$hello/hello.cpp"
fenced '`CMakeLists.txt`, beside it:' >"$hello/CMakeLists.txt"
indented '`hello.actions`:' >"$hello/hello.actions"
check "the README holds hello.cpp, its CMakeLists.txt and hello.actions" \
    test -s "$hello/hello.cpp" -a -s "$hello/CMakeLists.txt" -a -s "$hello/hello.actions"

with_find_package() {
    cmake -S "$hello" -B "$hello/cmake" && cmake --build "$hello/cmake" &&
        grep -q '^korva_DIR:PATH=/usr/lib/.*/cmake/korva$' "$hello/cmake/CMakeCache.txt"
}
with_pkg_config() {
    cd "$hello" && c++ hello.cpp $(pkg-config --cflags --libs korva) -o hello &&
        c++ hello.cpp $(pkg-config --cflags --libs korva-headless) -o hello-headless
}
check "hello builds against /usr with find_package" with_find_package
check "hello builds against /usr with pkg-config" with_pkg_config

same_pixels() { # same_pixels A.png B.png: whether two 8-bit RGB PNG files hold the same pixels
    python3 - "$@" <<'PY'
import struct, sys, zlib
def pixels(path):
    data, at, idat = open(path, "rb").read(), 8, b""
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            width, height, depth, color = struct.unpack(">IIBB", body[:10])
            assert (depth, color) == (8, 2), path + " is not an 8-bit RGB picture"
        if kind == b"IDAT":
            idat += body
        at += 12 + length
    raw, stride, rows = zlib.decompress(idat), width * 3, []
    previous = bytearray(stride)
    for row in range(height):
        line = raw[row * (stride + 1):(row + 1) * (stride + 1)]
        kind, line = line[0], bytearray(line[1:])
        for i in range(stride):
            a = line[i - 3] if i >= 3 else 0
            b, c = previous[i], previous[i - 3] if i >= 3 else 0
            p = a + b - c
            nearest = a if abs(p - a) <= abs(p - b) and abs(p - a) <= abs(p - c) else \
                b if abs(p - b) <= abs(p - c) else c
            line[i] = (line[i] + (0, a, b, (a + b) // 2, nearest)[kind]) & 255
        rows.append(bytes(line))
        previous = line
    return width, height, rows
got, kept = pixels(sys.argv[1]), pixels(sys.argv[2])
if got != kept:
    sys.exit(sys.argv[1] + " differs from " + sys.argv[2])
PY
}

# The headless builds play the README's actions: the sun moves to (103,140), and the shot is the
# one the install test keeps for the same program and actions.
plays_readme_actions() {
    mkdir -p "$2" && cd "$2" && "$1" --log log.txt ../hello.actions &&
        grep -qx 'sun at (103,140)' log.txt &&
        same_pixels sun.png "$source/tests/install/expected/sun.png"
}
for build in cmake pkg-config; do
    program=$hello/hello-headless
    [ $build = cmake ] && program=$hello/cmake/hello-headless
    check "hello-headless ($build) plays the README's actions and draws the kept picture" \
        plays_readme_actions "$program" "$hello/run-$build"
done

# The demo from /usr/bin plays its golden run (tests/demo/golden) to the same pictures and log;
# without a display, bugdemo says so and ends with status 1.
plays_the_golden_run() {
    golden=$source/tests/demo/golden
    [ "$(command -v bugdemo-headless)" = /usr/bin/bugdemo-headless ] &&
        mkdir -p "$work/demo" && cd "$work/demo" &&
        bugdemo-headless --log log.txt "$golden/demo.actions" && cmp log.txt "$golden/log.txt" &&
        for shot in first-frame bugs odd-cycle log-window; do
            same_pixels $shot.png "$golden/$shot.png" || return 1
        done
}
says_it_has_no_display() {
    env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/bugdemo
    [ $? -eq 1 ]
}
check "bugdemo-headless from /usr/bin plays the demo's golden run" plays_the_golden_run
check "bugdemo from /usr/bin starts, and without a display says so" says_it_has_no_display
check "the manual pages, the desktop entry and its icons are installed" \
    test -s /usr/share/man/man1/bugdemo.1.gz -a -s /usr/share/man/man1/bugdemo-headless.1.gz \
    -a -s /usr/share/applications/korva-bugdemo.desktop \
    -a -s /usr/share/icons/hicolor/48x48/apps/korva-bugdemo.png \
    -a -s /usr/share/icons/hicolor/128x128/apps/korva-bugdemo.png

# Purged, the packages leave nothing of theirs in /usr.
for deb in "$@"; do dpkg-deb -c "$deb"; done | awk '{ print substr($6, 2) }' >"$work/contents"
apt purge $packages $(cat "$work/pulled-in") >"$work/purge.log" 2>&1 ||
    { cat "$work/purge.log" >&2; failures=$((failures + 1)); }
left() { # lists the packages' files and own folders that are still there
    while read -r path; do
        case "$path" in
        */korva* | */korva-*/ | */bugdemo*) [ -e "$path" ] && echo "$path" ;;
        */) ;;
        *) [ -e "$path" ] && echo "$path" ;;
        esac
    done <"$work/contents"
    for p in $packages; do installed "$p" && echo "package $p"; done
}
nothing_left() { [ -z "$(left)" ] || { left; false; }; }
check "purged, nothing of the packages is left in /usr" nothing_left

[ "$failures" -eq 0 ] || { echo "test-deb: $failures checks failed" >&2; exit 1; }
echo "test-deb: all checks passed"
