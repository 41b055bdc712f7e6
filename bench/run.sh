#!/bin/sh
# Runs every benchmark and prints one table: each figure, its budget, and whether it is within
# it. Times are medians of the CPU time over repetitions whose order is shuffled, so that the
# figures compared in a ratio share the machine's noise; instructions are callgrind's count.
# Exits 1 when a ratio, a count or a size is over its budget; absolute times (us, ms) are
# printed against theirs but never fail the run, since a loaded machine stretches them all. The
# benchmarks' own output is kept beside the results, in BUILD/bench-results.
#
#   bench/run.sh [BUILD]        default build; REPETITIONS=9 IDLE_RUNS=5 IDLE_SECONDS=5
set -eu

build=${1:-build}
bin=$build/bin
reps=${REPETITIONS:-9}
out=$build/bench-results
mkdir -p "$out"
for program in frame_bench logging_bench present_bench frame_driver bugdemo-traced gif_bench \
    bugdemo-headless; do
    [ -x "$bin/$program" ] || { echo "run.sh: no $bin/$program; build first (make bench)" >&2; exit 1; }
done

# Google Benchmark with shuffled repetitions; its results as CSV in $out/$1.csv.
gbench() {
    result=$1
    shift
    "$@" --benchmark_repetitions="$reps" --benchmark_min_time=0.2 \
        --benchmark_enable_random_interleaving=true \
        --benchmark_report_aggregates_only=true --benchmark_out="$out/$result.csv" \
        --benchmark_out_format=csv >"$out/$result.log" 2>&1
}

# The median CPU time of benchmark $2 in result $1, in microseconds; with a third argument
# "real", the wall-clock time (to compare with a figure a browser measures by its clock).
median_us() {
    awk -F, -v name="\"$2_median\"" -v column="$([ "${3:-}" = real ] && echo 3 || echo 4)" '$1 == name {
        unit = $5; gsub(/"/, "", unit)
        f = unit == "ns" ? 0.001 : unit == "us" ? 1 : unit == "ms" ? 1000 : 1000000
        printf "%.1f", $column * f
        found = 1
    } END { exit !found }' "$out/$1.csv"
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }

rows="$out/table"
: >"$rows"
# A row: figure, value, unit, budget (empty: a baseline or a breakdown, with none), and
# whether the value must be under the budget (lt) or at most it (le).
row() { printf '%s|%s|%s|%s|%s\n' "$1" "$2" "$3" "${4:-}" "${5:-lt}" >>"$rows"; }

echo "bench: the frame against Cairo ($reps repetitions)..." >&2
gbench frame "$bin/frame_bench"
frame=$(median_us frame frame/korva)
cairo=$(median_us frame frame/cairo)
row "frame, logging off" "$frame" "us" 150
row "frame / Cairo's, same shapes" "$(ratio "$frame" "$cairo")" "x" 0.3 le
row "  Cairo: the same 231 shapes" "$cairo" "us"

echo "bench: instructions per frame under callgrind..." >&2
frames=50
valgrind --tool=callgrind --callgrind-out-file="$out/callgrind.out" --collect-atstart=no \
    --toggle-collect=run_frames "$bin/frame_driver" "$frames" >"$out/callgrind.log" 2>&1
instructions=$(sed -n 's/.*Collected : \([0-9]*\).*/\1/p' "$out/callgrind.log")
row "instructions per frame" "$(awk -v n="$instructions" -v f="$frames" 'BEGIN { printf "%.0f", n / f }')" "" 1500000
callgrind_annotate "$out/callgrind.out" >"$out/callgrind.txt" 2>/dev/null || true

echo "bench: the frame with logging on..." >&2
gbench logging "$bin/logging_bench"
logging=$(median_us logging frame/logging_on)
row "frame, logging on" "$logging" "us" 2000
row "  per log line (format, ring, scroll, print)" "$(median_us logging log_line)" "us"

echo "bench: presenting..." >&2
gbench present "$bin/present_bench"
memcpy=$(median_us present present/memcpy_canvas)
present=$(median_us present present/virtual/copy_and_present)
row "copy to window + present, virtual" "$present" "us"
row "  / a plain copy of the canvas" "$(ratio "$present" "$memcpy")" "x" 3
if command -v xvfb-run >/dev/null; then
    gbench present-sdl xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$bin/present_bench" --sdl
    row "copy to window + present, SDL (Xvfb)" "$(median_us present-sdl present/sdl/copy_and_present)" "us" 2000
fi

echo "bench: writing an animated GIF..." >&2
gbench gif "$bin/gif_bench"
gif_frame=$(median_us gif gif/write_frame)
row "GIF: writing a frame of the demo" "$gif_frame" "us"
row "  / the frame itself (drawn, copied, presented)" "$(ratio "$gif_frame" "$(median_us gif gif/frame)")" "x" 1
row "  of which compressing it (LZW)" "$(median_us gif gif/compress)" "us"
row "  giflib's own encoder, the same pixels" "$(median_us gif gif/compress_giflib)" "us"
# The runner's GIF of ten seconds of the demo, kept beside the results.
runner=$(cd "$bin" && pwd)/bugdemo-headless
gif_actions=$(cd "$(dirname "$0")" && pwd)/gif_demo.actions
(cd "$out" && rm -f demo.gif && "$runner" "$gif_actions") >"$out/gif.log" 2>&1 || true
gif_size=$(if [ -f "$out/demo.gif" ]; then awk -v n="$(wc -c <"$out/demo.gif")" 'BEGIN { printf "%.0f", n / 1000 }'; fi)
row "GIF of 10 s of the demo, five bugs walking" "$gif_size" "kB" 300

echo "bench: idle CPU, start-up and memory under Xvfb..." >&2
BUGDEMO="$bin/bugdemo-traced" ./bench/idle.sh "${IDLE_RUNS:-5}" "${IDLE_SECONDS:-5}" >"$out/idle.log" 2>&1 || true
idle() { awk -v name="$1" '$1 == "figure" && $2 == name { print $3 }' "$out/idle.log"; }
row "CPU running, under Xvfb" "$(idle idle_running)" "% core" 5
row "CPU halted, under Xvfb" "$(idle idle_halted)" "% core" 1
row "launch to first frame on screen" "$(idle startup)" "ms" 150
row "peak resident memory (VmHWM)" "$(idle peak_memory)" "MB" 40

echo "bench: each kind of shape..." >&2
for kind in $(awk -F, '$1 ~ /^"kind\/.*\/korva_median"$/ { n = $1; gsub(/"/, "", n); gsub(/^kind\/|\/korva_median$/, "", n); print n }' "$out/frame.csv" | sort); do
    ours=$(median_us frame "kind/$kind/korva")
    theirs=$(median_us frame "kind/$kind/cairo")
    row "  $kind" "$ours" "us"
    row "  $kind / Cairo's" "$(ratio "$ours" "$theirs")" "x"
done

# The web build in Chromium (bench/web/web_bench.js), when make bench has built its pages: the
# frame in WebAssembly against the native frame's wall-clock time of this run, page load, page
# size and the tab's CPU.
web_pages=$build/web
web_bench_pages=$build/web-build/bench
if [ -f "$web_pages/bugdemo.html" ] && [ -f "$web_bench_pages/frame_page.html" ]; then
    echo "bench: the web build in Chromium..." >&2
    row "  native frame, wall clock (the web's baseline)" "$(median_us frame frame/korva real)" "us"
    if node bench/web/web_bench.js "$web_pages" "$web_bench_pages" \
        "$(median_us frame frame/korva real)" >"$out/web.log" 2>&1; then
        sed -n 's/^row|//p' "$out/web.log" >>"$rows"
    else
        row "web benchmarks (see $out/web.log)" "" "" 0
    fi
fi

echo
printf '%-46s %12s  %-7s %10s  %s\n' "figure (medians)" "value" "unit" "budget" "within"
printf '%-46s %12s  %-7s %10s  %s\n' "----------------" "-----" "----" "------" "------"
awk -F'|' '{
    ok = "";
    if ($4 != "") {
        if ($2 == "") ok = "NO (not measured)";
        else if ($5 == "le") ok = ($2 + 0 <= $4 + 0) ? "yes" : "NO";
        else ok = ($2 + 0 < $4 + 0) ? "yes" : "NO";
        if (ok == "NO" && ($3 == "us" || $3 == "ms")) ok = "over (a time: not judged)";
        else if (ok != "yes") failed = 1;
    }
    printf "%-46s %12s  %-7s %10s  %s\n", $1, $2, $3, ($4 == "" ? "" : ($5 == "le" ? "<= " : "< ") $4), ok
} END { exit failed }' "$rows" && status=0 || status=1

echo
echo "callgrind, the frame's top functions by their own instructions ($out/callgrind.txt):"
awk '/file:function/ { listing = 1; next } listing && /^ *[0-9,]+ / { print "  " $0; if (++n == 5) exit }' \
    "$out/callgrind.txt" | cut -c1-150
exit $status
