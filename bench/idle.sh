#!/bin/sh
# What the demo costs when nobody touches it, under Xvfb: the CPU time of the demo process
# over a few seconds running and a few seconds halted (Ctrl+H), as a percentage of one core;
# the time from its launch to its first frame on screen; and its peak resident memory. Prints
# each run and the medians with their budgets, and fails when a median is over its budget.
# The last lines, "figure NAME VALUE UNIT BUDGET", are for `make bench`'s table. The demo is
# bugdemo-traced, the demo with the start-up trace of bench/traced_display.h.
#
#   bench/idle.sh [runs] [seconds]      defaults: 5 runs of 5 seconds each way
#   BUGDEMO=path  HALTED_BUDGET=1  RUNNING_BUDGET=5  (percent of one core)
#   STARTUP_BUDGET=150 (ms)  MEMORY_BUDGET=40 (MB)
set -eu

runs=${1:-5}
seconds=${2:-5}
bugdemo=${BUGDEMO:-build/bin/bugdemo-traced}
halted_budget=${HALTED_BUDGET:-1}
running_budget=${RUNNING_BUDGET:-5}
startup_budget=${STARTUP_BUDGET:-150}
memory_budget=${MEMORY_BUDGET:-40}

for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "idle.sh: $tool is missing (make test installs it)" >&2; exit 1; }
done
[ -x "$bugdemo" ] || { echo "idle.sh: no $bugdemo; build first (make bench)" >&2; exit 1; }

. "$(dirname "$0")/../tools/xvfb_session.sh"
# The X server does not reset when its last client goes, as a desktop's does not: the reset
# would hold up the next client's connection, and the next start-up would count it.
start_xvfb 1280x1024 -noreset || { echo "idle.sh: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }

ticks_per_second=$(getconf CLK_TCK)

# CPU ticks (user + system) the process has used so far.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# Percentage of one core the process uses over $seconds.
measure() {
    before=$(cpu_ticks "$demo_pid")
    start=$(date +%s.%N)
    sleep "$seconds"
    after=$(cpu_ticks "$demo_pid")
    end=$(date +%s.%N)
    echo "$before $after $start $end $ticks_per_second" |
        awk '{ printf "%.2f\n", ($2 - $1) / $5 / ($4 - $3) * 100 }'
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

: >"$work/running"
: >"$work/halted"
: >"$work/startup"
: >"$work/memory"
for run in $(seq "$runs"); do
    # The traced display prints how long after this moment its first frame was presented.
    KORVA_TRACE_STARTUP=$(date +%s%6N) "$bugdemo" >"$work/demo.log" 2>&1 &
    demo_pid=$!
    graphics=$(timeout 10 xdotool search --sync --name '^KORVA Graphics$' | head -1)
    [ -n "$graphics" ] || { echo "idle.sh: the demo's window did not appear" >&2; exit 1; }
    sleep 1 # start-up done
    running=$(measure)
    xdotool windowfocus --sync "$graphics" key ctrl+h
    sleep 0.5
    halted=$(measure)
    memory=$(awk '/^VmHWM:/ { printf "%.1f\n", $2 / 1024 }' "/proc/$demo_pid/status")
    startup=$(sed -n 's/^korva: launch to first frame: \([0-9.]*\) ms$/\1/p' "$work/demo.log" | head -1)
    [ -n "$startup" ] || { echo "idle.sh: no start-up trace from the demo" >&2; cat "$work/demo.log" >&2; exit 1; }
    echo "run $run: running $running%, halted $halted%, first frame after $startup ms, peak memory $memory MB"
    echo "$running" >>"$work/running"
    echo "$halted" >>"$work/halted"
    echo "$startup" >>"$work/startup"
    echo "$memory" >>"$work/memory"
    kill "$demo_pid"
    wait "$demo_pid" 2>/dev/null || true
    demo_pid=""
done

running=$(median <"$work/running")
halted=$(median <"$work/halted")
startup=$(median <"$work/startup")
memory=$(median <"$work/memory")
echo "median of $runs runs of ${seconds}s: running $running% (budget $running_budget%), halted $halted% (budget $halted_budget%)"
echo "median start-up to the first frame: $startup ms (budget $startup_budget ms); peak memory $memory MB (budget $memory_budget MB)"
echo "figure idle_running $running %core $running_budget"
echo "figure idle_halted $halted %core $halted_budget"
echo "figure startup $startup ms $startup_budget"
echo "figure peak_memory $memory MB $memory_budget"
awk -v r="$running" -v h="$halted" -v s="$startup" -v m="$memory" -v rb="$running_budget" \
    -v hb="$halted_budget" -v sb="$startup_budget" -v mb="$memory_budget" \
    'BEGIN { exit !(r < rb && h < hb && s < sb && m < mb) }' || { echo "idle.sh: over budget" >&2; exit 1; }
