#!/bin/sh
# Without a display the demo prints one line saying so, with the reason, and exits with status 1
# at once: it must not run on without windows.
bugdemo=$1
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
status=0
timeout 10 "$bugdemo" >/dev/null 2>"$errors" || status=$?
if [ "$status" != 1 ] || [ "$(wc -l <"$errors")" != 1 ] ||
    ! grep -q 'cannot open a display: .*DISPLAY is not set' "$errors"; then
    echo "no_display: exit status $status, standard error:" >&2
    cat "$errors" >&2
    exit 1
fi
echo "no_display: $(cat "$errors")"
