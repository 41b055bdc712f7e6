# A screen of our own for scripts that run the demo under Xvfb; sourced, not run.
#
# After `. tools/xvfb_session.sh`, $work is a fresh temporary directory, and on exit the process
# in $demo_pid (set it when you start one) and the X server are killed and waited for, so that
# nothing is left behind, not even a zombie, and $work is removed. A signal ends the script
# with status 1; set a trap of your own after sourcing to say more.
#
#   start_xvfb WIDTHxHEIGHT [Xvfb options...]
#       starts Xvfb on a free display number and exports DISPLAY; returns 1 when it has not
#       started within 10 seconds (its output is in $work/xvfb.log)

work=$(mktemp -d)
xvfb_pid=""
demo_pid=""

stop_xvfb_session() {
    for pid in $demo_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap stop_xvfb_session EXIT
trap 'exit 1' HUP INT PIPE TERM

start_xvfb() {
    size=$1
    shift
    # Xvfb picks a free number and writes it to the descriptor given.
    Xvfb -displayfd 3 "$@" -screen 0 "${size}x24" -nolisten tcp 3>"$work/display" \
        2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        if [ -s "$work/display" ]; then
            export DISPLAY=":$(cat "$work/display")"
            return 0
        fi
        sleep 0.1
    done
    return 1
}
