#!/bin/sh
# The bug demo end to end, as a person at an X desktop uses it: under Xvfb, driven by xdotool,
# checked by the pixels on the screen.
#
#   bugdemo_e2e.sh BUGDEMO X11_PROBE [SCALE]
#
# SCALE 2 runs on a screen of twice the size with GDK_SCALE=2: every window pixel is then a
# 2 x 2 square, and clicks are given in screen pixels. Exits 77 (skipped) without Xvfb or xdotool.
# Stopped by a signal (the time limit), it says where and takes the demo and Xvfb down with it.
set -eu

bugdemo=$(realpath "$1")
probe=$(realpath "$2")
scale=${3:-1}

for tool in Xvfb xdotool setxkbmap; do
    if ! command -v "$tool" >/dev/null; then
        echo "e2e: skipped: $tool is not installed (make test installs it)"
        exit 77
    fi
done

. "$(dirname "$0")/../../tools/xvfb_session.sh"
trap 'echo "e2e (scale $scale): FAILED: stopped at \"$step\"" >&2; exit 1' HUP INT PIPE TERM

step=""
fail() {
    echo "e2e (scale $scale): FAILED at \"$step\": $*" >&2
    shot="$(pwd)/e2e-failure-scale$scale.png"
    if command -v import >/dev/null && import -window root "$shot" 2>/dev/null; then
        echo "e2e: the screen at the failure: $shot" >&2
    fi
    [ -s "$work/demo.log" ] && { echo "e2e: the demo's output:" >&2; cat "$work/demo.log" >&2; }
    exit 1
}

# Polls a command until it succeeds, for at most $1 seconds.
within() {
    limit=$1
    shift
    end=$(($(date +%s) + limit))
    until "$@"; do
        [ "$(date +%s)" -lt "$end" ] || return 1
        sleep 0.05
    done
}

# ---- The display: a screen of its own, on a free display number ----
width=$((1280 * scale))
height=$((1024 * scale))
step="start Xvfb"
start_xvfb "${width}x${height}" || fail "no display number; $(cat "$work/xvfb.log")"
export GDK_SCALE="$scale"
root=$("$probe" root)

# ---- Helpers on the demo's windows ----
start_demo() {
    # A program started in the background of a script ignores SIGINT; the demo gets it as from
    # a terminal.
    (cd "$work" && exec env --default-signal=INT "$bugdemo") >"$work/demo.log" 2>&1 &
    demo_pid=$!
    step="the windows appear"
    graphics=$(timeout 10 xdotool search --sync --name '^KORVA Graphics$' | head -1) ||
        fail "no graphics window"
    text=$(timeout 10 xdotool search --sync --name '^KORVA Text$' | head -1) ||
        fail "no text window"
}

# Reads a window's position and size into $prefix_x, _y, _w, _h (screen pixels).
geometry() {
    eval "$(xdotool getwindowgeometry --shell "$2" | sed -n "s/^\(X\|Y\|WIDTH\|HEIGHT\)=/$1_\1=/p")"
}

# Screen rectangle of a client rectangle of the graphics window (program pixels): below the
# 20-pixel menu bar.
client_rect() {
    geometry g "$graphics"
    echo "$((g_X + $1 * scale)) $((g_Y + (20 + $2) * scale)) $(($3 * scale)) $(($4 * scale))"
}

count() { "$probe" count "$1" $2; }
picture() { "$probe" checksum "$g_X" "$g_Y" "$g_WIDTH" "$g_HEIGHT"; }

# The picture stays the same for a good third of a second: three animation ticks.
still() {
    a=$(picture)
    sleep 0.35
    [ "$a" = "$(picture)" ]
}
moving() { ! still; }

key_to() { timeout 10 xdotool windowfocus --sync "$1" key "$2"; }

# Clicks at a client point of the graphics window (program pixels).
click_client() { xdotool mousemove --window "$graphics" $(($1 * scale)) $(((20 + $2) * scale)) click 1; }

exits_with() {
    status=""
    end=$(($(date +%s) + 10))
    while kill -0 "$demo_pid" 2>/dev/null; do
        [ "$(date +%s)" -lt "$end" ] || fail "the demo is still running after 10 s"
        sleep 0.05
    done
    wait "$demo_pid" && status=0 || status=$?
    demo_pid=""
    [ "$status" = "$1" ] || fail "exit status $status, expected $1"
}

# ---- 1. Both windows, the panel, both windows' keyboards, the close box, Quit ----
start_demo

step="the windows' places"
geometry g "$graphics"
geometry t "$text"
screen_height=1024 # in program pixels, whatever the scale
# The graphics window's content (menu bar and client area) lies inside its 601 x 540 outer
# rectangle at the top-left, below the emulated caption and frame (3 + 33, 3); the text window
# spans the screen's width along its lowest third.
[ "$g_X $g_Y $g_WIDTH $g_HEIGHT" = "$((3 * scale)) $((36 * scale)) $((595 * scale)) $((501 * scale))" ] ||
    fail "graphics window at $g_X,$g_Y size ${g_WIDTH}x$g_HEIGHT"
text_top=$((2 * screen_height / 3 + 1 + 4 + 33))
[ "$t_X $t_Y $t_WIDTH" = "$((4 * scale)) $((text_top * scale)) $(((1280 - 8) * scale))" ] ||
    fail "text window at $t_X,$t_Y width $t_WIDTH"

step="Ctrl+H halts the animation"
within 5 moving || fail "the demo does not animate"
key_to "$graphics" ctrl+h
within 5 still || fail "the picture still changes"

step="Add Bug shows the number box 2"
# Bug number box 2 is canvas (220, 220)-(295, 195): client (517, 20)-(592, 45); the rectangle
# below leaves out box 1's bottom line.
box2=$(client_rect 505 22 90 26)
[ "$(count 000000 "$box2")" = 0 ] || fail "black in the place of box 2 before Add Bug"
# "Add Bug", the eighth button, covers canvas y 45 < y <= 70 (the line at 45 is Delete Bug's):
# its middle, canvas (-257, 57), is client (40, 183).
click_client 40 183
box2_drawn() { [ "$(count 000000 "$box2")" -gt $((20 * scale * scale)) ]; }
within 5 box2_drawn || fail "no box 2"

step="Ctrl+A in the text window starts the animation"
key_to "$text" ctrl+a
within 5 moving || fail "the picture stands still"

step="a Ctrl released while another window has the focus is up when the focus comes back"
timeout 10 xdotool windowfocus --sync "$graphics" keydown ctrl
timeout 10 xdotool windowfocus --sync "$root" keyup ctrl
key_to "$graphics" h # a plain H: a character, no Halt
sleep 0.5
moving || fail "H without Ctrl halted the animation"
key_to "$graphics" ctrl+h
within 5 still || fail "Ctrl+H did not halt"

step="Ctrl+L in the text window logs the drawing calls of the next frame there"
geometry t "$text"
log_area="$t_X $t_Y $t_WIDTH $t_HEIGHT"
[ "$(count 000000 "$log_area")" = 0 ] || fail "text in the text window before logging"
key_to "$text" ctrl+l
click_client 300 400 # on the meadow: a new frame
logged() { [ "$(count 000000 "$log_area")" -gt 1000 ]; }
within 5 logged || fail "no log lines"

step="the text window resized by the user repaints its lines at its new bottom"
timeout 10 xdotool windowmove --sync "$text" 0 $((300 * scale))
timeout 10 xdotool windowsize --sync "$text" $((700 * scale)) $((400 * scale))
geometry t "$text"
[ "$t_HEIGHT" = $((400 * scale)) ] || fail "text window height $t_HEIGHT"
bottom_line="$t_X $((t_Y + t_HEIGHT - 13 * scale)) $t_WIDTH $((13 * scale))"
line_at_bottom() {
    [ "$(count 000000 "$bottom_line")" -gt 50 ] && [ "$(count ffffff "$bottom_line")" -gt 50 ]
}
within 5 line_at_bottom || fail "no line at the new bottom"

step="the text window's close box closes it alone"
"$probe" close "$text"
text_gone() { ! xdotool search --name '^KORVA Text$' >/dev/null; }
within 5 text_gone || fail "still there"
kill -0 "$demo_pid" 2>/dev/null || fail "the demo ended"
xdotool search --name '^KORVA Graphics$' >/dev/null || fail "the graphics window went too"

step="a menu entry chosen with the keyboard"
# Alt+R opens the Run menu over the halted picture; its underlined A chooses Animate.
menu_area=$(client_rect 0 0 300 200)
[ "$(count f0f0f0 "$menu_area")" = 0 ] || fail "menu colours on the canvas before Alt+R"
key_to "$graphics" alt+r
menu_open() { [ "$(count f0f0f0 "$menu_area")" -gt $((5000 * scale * scale)) ]; }
within 5 menu_open || fail "Alt+R did not open the menu"
key_to "$graphics" a
menu_closed() { [ "$(count f0f0f0 "$menu_area")" = 0 ]; }
within 5 menu_closed || fail "the menu stayed open"
within 5 moving || fail "Animate chosen from the menu did not start the picture"

step="Ctrl+Q quits with status 0"
key_to "$graphics" ctrl+q
exits_with 0

# ---- 2. The graphics window's close box ends the program ----
start_demo
step="the graphics window's close box quits with status 0"
"$probe" close "$graphics"
exits_with 0

# ---- 3. Characters of another keyboard layout, recorded ----
script="$work/KORVA.SCR"
# The KORVA_KBD lines of the script, their numbers joined by spaces.
typed_keys() { sed -n 's/^KORVA_KBD(\(-\{0,1\}[0-9]*\));$/\1/p' "$script" | tr '\n' ' '; }
last_line() { tail -n 1 "$script"; }
folded_ticks_last() { last_line | grep -qx 'KORVA_PERIODIC([1-9][0-9]*);'; }

start_demo
step="a German layout switched to while the demo runs, typed into a recording"
key_to "$graphics" ctrl+r
setxkbmap -layout de || fail "setxkbmap cannot switch the layout"
sleep 0.5 # the demo reads the new keymap when the server announces it
# u umlaut and sharp s are keys of their own; the dead acute accent composes with e; AltGr+E is
# the euro sign and AltGr+Q the at sign, which must not quit.
key_to "$graphics" udiaeresis
key_to "$graphics" ssharp
key_to "$graphics" dead_acute
key_to "$graphics" e
timeout 10 xdotool keydown ISO_Level3_Shift key e key q keyup ISO_Level3_Shift
sleep 0.3
kill -0 "$demo_pid" 2>/dev/null || fail "the demo ended"
key_to "$graphics" ctrl+r
setxkbmap -layout us
[ "$(typed_keys)" = "-4 -33 -23 -128 64 " ] || fail "KORVA.SCR's keys: $(typed_keys)"
key_to "$graphics" ctrl+q
exits_with 0

# ---- 4. Ended from outside while recording: the folded ticks are kept ----
for signal in TERM INT; do
    rm -f "$script"
    start_demo
    step="SIG$signal while recording ends the demo with status 0"
    key_to "$graphics" ctrl+r
    click_client 300 400
    sleep 0.5 # ticks, folded, not yet written
    kill -"$signal" "$demo_pid"
    exits_with 0
    folded_ticks_last || fail "KORVA.SCR ends with \"$(last_line)\""
    grep -q '^KORVA_MOUSE(3, -160);$' "$script" || fail "no click in KORVA.SCR"
done

# ---- 5. The X server goes away while recording: status 1, and the recording kept ----
rm -f "$script"
start_demo
step="the X server killed while recording"
key_to "$graphics" ctrl+r
click_client 300 400
sleep 0.5
kill "$xvfb_pid"
wait "$xvfb_pid" 2>/dev/null || true
xvfb_pid=""
exits_with 1
grep -q "connection to the X server.*was lost" "$work/demo.log" || fail "no message on stderr"
folded_ticks_last || fail "KORVA.SCR ends with \"$(last_line)\""

echo "e2e (scale $scale): passed"
