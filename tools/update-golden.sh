#!/bin/sh
# Remakes the demo's golden frames and log from its golden action file, after a deliberate change
# to what the demo draws. Review the new pictures before committing them.
#   usage: tools/update-golden.sh [BUILD_DIR]
set -e
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$top/build}" && pwd)
golden=$top/tests/demo/golden
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && "$build/bin/bugdemo-headless" --log log.txt "$golden/demo.actions")
cp "$work"/*.png "$work"/log.txt "$golden/"
echo "Updated $(ls "$work" | wc -l) files in tests/demo/golden; review them with git diff."
