#!/usr/bin/env bash
# The X server goes away under the running simulator (on a private Xvfb display): the program must
# end within seconds, with status 1 and one line saying why, not keep running without a display.
# Usage: display_lost_e2e.sh GYROSCOPE. Exits 77 (skipped) only when a tool is missing.
set -u
exe=$1
for tool in Xvfb xdotool timeout; do
    command -v "$tool" >/dev/null || { echo "skip: $tool is not installed"; exit 77; }
done

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/xvfb.sh"
work=$(mktemp -d)
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill -KILL $(pgrep -P "$app_pid") "$app_pid" 2>/dev/null
    xvfb_stop
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; echo "--- stderr:"; cat "$work/err.txt" 2>/dev/null; exit 1; }

xvfb_start || fail "Xvfb did not start"
# The program is ended with SIGKILL after 60 s if it does not end by itself.
ZG_DISPLAY=sdl timeout -s KILL 60 "$exe" >"$work/out.txt" 2>"$work/err.txt" &
app_pid=$!
wid=$(timeout 30 xdotool search --sync --name "Simulation de la" | head -n1)
[ -n "$wid" ] || fail "no window titled 'Simulation de la ...'"
sleep 0.5  # the figure turns: the program is drawing

xvfb_stop
start=$SECONDS
wait "$app_pid"
status=$?
app_pid=""
elapsed=$((SECONDS - start))
[ "$status" -eq 1 ] || fail "status $status after the display went (137: still running after 60 s)"
[ "$elapsed" -le 10 ] || fail "took $elapsed s to end"
grep -q "zorgraphics: the connection to the display was lost; the program ends" "$work/err.txt" ||
    fail "no line on stderr saying why"
echo "PASS: status 1 within $elapsed s, with the reason on stderr"
