#!/bin/sh
# Remakes the pictures that tests compare with, after a deliberate change to what is drawn: the
# demo's golden frames and log, the stand-in's text sample and open menu, the install test's
# kept shots of the README's programs, and the README's pictures of the palette and of the demo
# (still and animated). Review the new pictures before committing them.
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

# The stand-in's text sample and open Run menu: their tests write them into the build folder
# (failing while they differ from the kept ones).
"$build/bin/text_tests" --gtest_filter='TextSampleTest.*' >/dev/null || true
"$build/bin/user_tests" --gtest_filter='MenuPicture.TheOpenRunMenu*' >/dev/null || true
cp "$build/tests/platform/gdi/text/text_sample.png" "$top/tests/platform/gdi/text/golden/"
cp "$build/tests/platform/user/run_menu.png" "$top/tests/platform/user/menu/golden/"
echo "Updated the text sample and the open menu kept in tests/platform."

expected=$top/tests/install/expected
for program in hello clock; do
    mkdir "$work/$program"
    (cd "$work/$program" && "$build/bin/$program-headless" "$top/tests/install/$program.actions")
    cp "$work/$program"/*.png "$expected/"
done
echo "Updated the shots in tests/install/expected."
(cd "$top/docs" && "$build/bin/palette-headless" palette.actions)
echo "Updated docs/palette.png."
for actions in demo.actions demo-gif.actions; do
    (cd "$top/docs" && "$build/bin/bugdemo-headless" "$actions")
done
echo "Updated docs/demo.png and docs/demo.gif."
