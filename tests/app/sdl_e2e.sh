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

MOTION_CROP=799x629+201+71 SETTLE=0.5
source "$(dirname "${BASH_SOURCE[0]}")/drive_simulator.sh"
echo "PASS: motion, angle +, exit, farewell prompt, final click, status 0"
