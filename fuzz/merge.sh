#!/bin/sh
# Merges what the fuzzers found into the kept corpus: fuzz/merge.sh BUILD_DIR TARGET
#
# The kept corpus fuzz/TARGET/corpus and the inputs found in BUILD_DIR/fuzz-corpus/TARGET are
# minimized together (libFuzzer's -merge=1: the fewest inputs that reach every feature any of
# them reaches), and the result becomes the kept corpus.
set -eu
build=$(cd "$1" && pwd)
target=$2
here=$(cd "$(dirname "$0")" && pwd)
kept=$here/$target/corpus
found=$build/fuzz-corpus/$target
merged=$build/fuzz-merged/$target
rm -rf "$merged"
mkdir -p "$merged" "$found"
"$build/bin/fuzz_$target" -merge=1 -max_len=4096 "$merged" "$kept" "$found" \
    >"$build/fuzz-merge-$target.log" 2>&1 || {
    echo "fuzz-merge $target: FAILED, see $build/fuzz-merge-$target.log" >&2
    exit 1
}
before=$(ls "$kept" | wc -l)
rm -f "$kept"/*
cp "$merged"/* "$kept"/
echo "fuzz-merge $target: kept corpus $before -> $(ls "$kept" | wc -l) inputs"
