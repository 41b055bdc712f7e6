#!/bin/sh
# Runs one fuzz target for a while: fuzz/run.sh BUILD_DIR TARGET SECONDS
#
# The kept corpus fuzz/TARGET/corpus is read and never written; new inputs go to
# BUILD_DIR/fuzz-corpus/TARGET (kept between runs; `make fuzz-merge` merges them into the kept
# corpus). A crash, a slow input or a leak is kept in BUILD_DIR/fuzz-artifacts/TARGET and fails
# the run. Prints the inputs run a second: the median of libFuzzer's own figures over the run,
# after the corpus was read.
set -eu
build=$(cd "$1" && pwd)
target=$2
seconds=$3
here=$(cd "$(dirname "$0")" && pwd)

case $target in
script) options="-max_len=4096 -timeout=10 -dict=$here/script/script.dict" ;;
draw) options="-max_len=4096 -timeout=10" ;;
events) options="-max_len=512 -timeout=20 -dict=$here/events/events.dict" ;;
*) echo "fuzz: no target $target" >&2; exit 2 ;;
esac

corpus=$build/fuzz-corpus/$target
artifacts=$build/fuzz-artifacts/$target
rm -rf "$artifacts"
mkdir -p "$corpus" "$artifacts"
log=$build/fuzz-$target.log
# The targets change directory while they run: every path is absolute.
status=0
"$build/bin/fuzz_$target" $options -max_total_time="$seconds" -print_final_stats=1 \
    -rss_limit_mb=4096 -artifact_prefix="$artifacts/" "$corpus" "$here/$target/corpus" \
    >"$log" 2>&1 || status=$?
runs=$(sed -n "s/^stat::number_of_executed_units: *//p" "$log" | tail -n 1)
peak=$(sed -n "s/^stat::peak_rss_mb: *//p" "$log" | tail -n 1)
# libFuzzer's status lines from INITED on each give the executions a second so far.
rate=$(sed -n '/INITED/,$s/^#[0-9]*.* exec\/s: \([0-9]*\).*/\1/p' "$log" | sort -n |
       awk '{ v[NR] = $1 } END { if (NR) print v[int((NR + 1) / 2)]; else print "?" }')
inputs=$(ls "$corpus" | wc -l)
kept=$(ls "$here/$target/corpus" | wc -l)
echo "fuzz $target: $rate inputs/s (median), ${runs:-?} inputs in $seconds s, peak RSS ${peak:-?} MB," \
     "corpus $kept kept + $inputs new"
if [ "$status" -ne 0 ] || [ -n "$(ls "$artifacts")" ]; then
    echo "fuzz $target: FAILED (status $status); the input is in $artifacts:" >&2
    ls "$artifacts" >&2
    grep -E 'ERROR|SUMMARY|check failed|==[0-9]+==' "$log" | head -20 >&2
    exit 1
fi
