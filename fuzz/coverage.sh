#!/bin/sh
# Replays the kept corpora with a coverage build and reports line coverage:
# fuzz/coverage.sh COVERAGE_BUILD_DIR TARGET...
#
# Prints the line coverage of gfx/ and of platform/ (the real-window backend, display/sdl/,
# left out: the fuzzers run on the virtual display), and writes the HTML report to
# COVERAGE_BUILD_DIR/coverage/index.html.
set -eu
build=$(cd "$1" && pwd)
shift
here=$(cd "$(dirname "$0")" && pwd)
profiles=$build/coverage-profiles
rm -rf "$profiles"
mkdir -p "$profiles"
objects=""
for target in "$@"; do
    LLVM_PROFILE_FILE="$profiles/$target-%p.profraw" "$build/bin/fuzz_$target" \
        "$here/$target/corpus" >/dev/null
    objects="$objects -object=$build/bin/fuzz_$target"
done
llvm-profdata merge -sparse "$profiles"/*.profraw -o "$build/coverage.profdata"
# The first -object is the binary; the others follow as -object options.
first=$(echo $objects | cut -d' ' -f1 | sed 's/^-object=//')
rest=$(echo $objects | cut -d' ' -f2-)
ignore='(/usr/|tests/|fuzz/|tools/|demo/|platform/display/sdl/)'
# Lines and missed lines of each file, summed by folder.
llvm-cov report "$first" $rest -instr-profile="$build/coverage.profdata" \
    -ignore-filename-regex="$ignore" 2>/dev/null >"$build/coverage-report.txt"
report() { # the line coverage of the files under $1/
    awk -v dir="/$1/" 'index($1, dir) && $8 ~ /^[0-9]+$/ { lines += $8; missed += $9 }
        END { if (lines) printf "%.1f %% of %d lines", 100 * (lines - missed) / lines, lines }' \
        "$build/coverage-report.txt"
}
echo "fuzz-coverage: gfx/ $(report gfx), platform/ $(report platform) (display/sdl/ left out)"
llvm-cov show "$first" $rest -instr-profile="$build/coverage.profdata" \
    -ignore-filename-regex="$ignore" -format=html -output-dir="$build/coverage" 2>/dev/null
echo "fuzz-coverage: report in $build/coverage/index.html"
