#!/usr/bin/env bash
# The real simulator in a real SDL window on a private Xvfb display, driven by xdotool: the figure
# turns while the cursor rests on the drawing area, a click on angle "+" changes the angle box,
# the exit button brings the farewell prompt, one more click ends the program with status 0.
# Usage: sdl_e2e.sh GYROSCOPE. Exits 77 (skipped) only when a tool is missing.
set -u
exe=$1
for tool in Xvfb xdotool import compare timeout; do
    command -v "$tool" >/dev/null || { echo "skip: $tool is not installed"; exit 77; }
done

# Shared with the other display tests: a private Xvfb on the first free display from :100 up.
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/xvfb.sh"
work=$(mktemp -d)
app_pid=""
# SDL turns SIGTERM into a quit event, which a program waiting for a click may never read: the
# program (the child of `timeout`) is ended with SIGKILL, by its process id.
cleanup() {
    [ -n "$app_pid" ] && kill -KILL $(pgrep -P "$app_pid") "$app_pid" 2>/dev/null
    xvfb_stop
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; echo "--- stdout:"; cat "$work/out.txt" 2>/dev/null; echo "--- stderr:"; cat "$work/err.txt" 2>/dev/null; exit 1; }

xvfb_start || fail "Xvfb did not start"

ZG_DISPLAY=sdl timeout -s KILL 120 "$exe" >"$work/out.txt" 2>"$work/err.txt" &
app_pid=$!
wid=$(timeout 30 xdotool search --sync --name "Simulation de la" | head -n1)
[ -n "$wid" ] || fail "no window titled 'Simulation de la ...'"

click_at() { xdotool mousemove --window "$wid" "$1" "$2"; sleep 0.3; xdotool click 1; sleep 0.5; }
# Pixels that differ between two grabs of one region of the window.
differing() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1; }

xdotool mousemove --window "$wid" 700 400
sleep 1
import -window "$wid" -crop 799x629+201+71 "$work/a.png"
sleep 0.7
import -window "$wid" -crop 799x629+201+71 "$work/b.png"
moved=$(differing "$work/a.png" "$work/b.png")
[ "${moved:-0}" -gt 0 ] || fail "the figure did not move under the cursor"
echo "motion: $moved pixels changed between two grabs"

xdotool mousemove --window "$wid" 120 125
sleep 0.5
import -window "$wid" -crop 15x20+85+125 "$work/box1.png"
click_at 120 125
import -window "$wid" -crop 15x20+85+125 "$work/box2.png"
changed=$(differing "$work/box1.png" "$work/box2.png")
[ "${changed:-0}" -gt 0 ] || fail "angle \"+\" did not redraw the angle value"
echo "angle +: $changed pixels of the value box changed"

click_at 60 510
for _ in $(seq 50); do grep -q "Click mouse in the graphics window" "$work/out.txt" && break; sleep 0.2; done
[ "$(cat "$work/out.txt")" = "Click mouse in the graphics window to finish execution." ] || fail "no farewell prompt"
kill -0 "$app_pid" 2>/dev/null || fail "ended before the farewell click"
click_at 500 400
for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.2; done
kill -0 "$app_pid" 2>/dev/null && fail "still running 20 s after the farewell click"
wait "$app_pid"
status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "exit status $status"
echo "PASS: motion, angle +, exit, farewell prompt, final click, status 0"
