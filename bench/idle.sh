#!/bin/sh
# What the demo costs when nobody touches it: the CPU time of the bugdemo process over a few
# seconds running and a few seconds halted (Ctrl+H), as a percentage of one core, under Xvfb.
# Prints each run and the medians, and fails when a median is over its budget.
#
#   bench/idle.sh [runs] [seconds]      defaults: 5 runs of 5 seconds each way
#   BUGDEMO=path  HALTED_BUDGET=2  RUNNING_BUDGET=10   (percent of one core)
set -eu

runs=${1:-5}
seconds=${2:-5}
bugdemo=${BUGDEMO:-build/bin/bugdemo}
halted_budget=${HALTED_BUDGET:-2}
running_budget=${RUNNING_BUDGET:-10}

for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "idle.sh: $tool is missing (make test installs it)" >&2; exit 1; }
done
[ -x "$bugdemo" ] || { echo "idle.sh: no $bugdemo; build first (make build)" >&2; exit 1; }

work=$(mktemp -d)
xvfb_pid=""
demo_pid=""
cleanup() {
    # Killed and waited for, so that nothing is left behind, not even a zombie.
    for pid in $demo_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' HUP INT PIPE TERM

# A display of our own: Xvfb picks a free number and writes it to the descriptor given.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "idle.sh: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(cat "$work/display")"

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
for run in $(seq "$runs"); do
    "$bugdemo" >"$work/demo.log" 2>&1 &
    demo_pid=$!
    graphics=$(timeout 10 xdotool search --sync --name '^KORVA Graphics$' | head -1)
    [ -n "$graphics" ] || { echo "idle.sh: the demo's window did not appear" >&2; exit 1; }
    sleep 1 # start-up done
    running=$(measure)
    xdotool windowfocus --sync "$graphics" key ctrl+h
    sleep 0.5
    halted=$(measure)
    echo "run $run: running $running%, halted $halted%"
    echo "$running" >>"$work/running"
    echo "$halted" >>"$work/halted"
    kill "$demo_pid"
    wait "$demo_pid" 2>/dev/null || true
    demo_pid=""
done

running=$(median <"$work/running")
halted=$(median <"$work/halted")
echo "median of $runs runs of ${seconds}s: running $running% (budget $running_budget%), halted $halted% (budget $halted_budget%)"
awk -v r="$running" -v h="$halted" -v rb="$running_budget" -v hb="$halted_budget" \
    'BEGIN { exit !(r < rb && h < hb) }' || { echo "idle.sh: over budget" >&2; exit 1; }
