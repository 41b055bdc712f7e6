#!/bin/sh
# A program of the package (bugdemo.exe, an example) under Wine on the X display in $DISPLAY: it
# starts, shows its two windows, animates (unless told it draws a still picture), and ends with
# status 0 when Ctrl+Q is typed into the graphics window.
#   window_smoke.sh PREFIX PROGRAM.exe [animates|still]
set -u
prefix=$1
program=$2
motion=${3:-animates}
name=$(basename "$program")
here=$(cd "$(dirname "$0")" && pwd)
run="$here/../../tools/wine/run.sh"

fail() {
    echo "smoke test of $name: $*" >&2
    [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
    exit 1
}
[ -n "${DISPLAY:-}" ] || fail "no X display (run the Windows tests under xvfb-run)"

# Polls until `check` succeeds, for at most $1 tenths of a second.
within() {
    tenths=$1
    shift
    while ! "$@" >/dev/null 2>&1; do
        tenths=$((tenths - 1))
        [ "$tenths" -gt 0 ] || return 1
        sleep 0.1
    done
}
window() { xdotool search --onlyvisible --name "^$1\$" | head -n 1; }
shown() { [ -n "$(window "$1")" ]; }
running() { kill -0 "$pid" 2>/dev/null; }
stopped() { ! running; }
picture() { xwd -silent -id "$graphics" | md5sum; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || fail "no working folder"
"$run" "$prefix" "$program" &
pid=$!

within 300 shown "KORVA Graphics" || fail "the graphics window did not appear"
within 50 shown "KORVA Text" || fail "the text window did not appear"
graphics=$(window "KORVA Graphics")

# The animation runs from the start: the picture changes from one moment to the next.
if [ "$motion" = animates ]; then
    first=$(picture)
    changed() { [ "$(picture)" != "$first" ]; }
    within 50 changed || fail "the graphics window does not animate"
fi
running || fail "the program ended by itself"

xdotool windowfocus --sync "$graphics" key ctrl+q || fail "cannot type into the graphics window"
within 100 stopped || fail "the program did not end on Ctrl+Q"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "$name started, showed both windows and quit on Ctrl+Q with status 0"
