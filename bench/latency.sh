#!/bin/sh
# From a mouse button pressed to the new frame on screen, the program's own share: the demo built
# with the benchmarks' traced display (bugdemo-traced) runs under Xvfb with KORVA_TRACE_LATENCY
# set, which makes it print the time from each left button-down the display delivers to the
# next presentation of that window. Clicks land on the
# meadow, halted and then running; prints the medians and fails when one is over the budget.
#
#   bench/latency.sh [clicks]      default 25 clicks each way
#   BUGDEMO=path  BUDGET_MS=10
set -eu

clicks=${1:-25}
bugdemo=${BUGDEMO:-build/bin/bugdemo-traced}
budget=${BUDGET_MS:-10}

for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "latency.sh: $tool is missing (make test installs it)" >&2; exit 1; }
done
[ -x "$bugdemo" ] || { echo "latency.sh: no $bugdemo; build first (make bench)" >&2; exit 1; }

. "$(dirname "$0")/../tools/xvfb_session.sh"
start_xvfb 1280x1024 || { echo "latency.sh: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

KORVA_TRACE_LATENCY=1 "$bugdemo" 2>"$work/trace" &
demo_pid=$!
graphics=$(timeout 10 xdotool search --sync --name '^KORVA Graphics$' | head -1)
[ -n "$graphics" ] || { echo "latency.sh: the demo's window did not appear" >&2; exit 1; }
sleep 1
# The meadow, below the panel: a click there changes nothing but is answered with a new frame.
xdotool windowfocus --sync "$graphics" key ctrl+h
sleep 0.3

click_many() {
    for _ in $(seq "$clicks"); do
        xdotool mousemove --window "$graphics" 300 420 click 1
        sleep 0.15
    done
}

lines() { grep -c 'button-down to present' "$work/trace" || true; }

click_many
halted_count=$(lines)
xdotool key ctrl+a
sleep 0.3
click_many
kill "$demo_pid"
wait "$demo_pid" 2>/dev/null || true
demo_pid=""

grep 'button-down to present' "$work/trace" | awk '{ print $(NF - 1) }' >"$work/all"
head -n "$halted_count" "$work/all" >"$work/halted"
tail -n "+$((halted_count + 1))" "$work/all" >"$work/running"
[ -s "$work/halted" ] && [ -s "$work/running" ] || { echo "latency.sh: no trace lines" >&2; cat "$work/trace" >&2; exit 1; }
halted=$(median <"$work/halted")
running=$(median <"$work/running")
echo "button-down to present, median of $(wc -l <"$work/halted") clicks halted: $halted ms; of $(wc -l <"$work/running") running: $running ms (budget $budget ms)"
echo "halted: $(sort -n "$work/halted" | tr '\n' ' ')"
echo "running: $(sort -n "$work/running" | tr '\n' ' ')"
awk -v h="$halted" -v r="$running" -v b="$budget" 'BEGIN { exit !(h < b && r < b) }' ||
    { echo "latency.sh: over budget" >&2; exit 1; }
