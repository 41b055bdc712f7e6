#!/bin/sh
# Runs late_x11_error on a screen of its own. Exits 77 (skipped) without Xvfb.
set -eu
program=$(realpath "$1")
if ! command -v Xvfb >/dev/null; then
    echo "late X error: skipped: Xvfb is not installed (make test installs it)"
    exit 77
fi
. "$(dirname "$0")/../../tools/xvfb_session.sh"
start_xvfb 640x480 || { echo "late X error: no display; $(cat "$work/xvfb.log")" >&2; exit 1; }
"$program"
