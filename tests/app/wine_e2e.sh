#!/usr/bin/env bash
# The Windows build of the simulator under Wine on a private Xvfb display, driven by xdotool:
# the figure turns under the cursor, angle "+" redraws its box, the exit button brings the
# farewell prompt, one more click ends the program with status 0.
# Usage: wine_e2e.sh GYROSCOPE_EXE PREFIX_DIR
# PREFIX_DIR holds this test's own Wine prefix, made on the first run (~20 s) and kept for later
# ones. Exits 77 (skipped) only when a tool is missing.
set -u
exe=$1
prefix=$2
for tool in wine wineserver Xvfb xdotool import compare timeout; do
    command -v "$tool" >/dev/null || { echo "skip: $tool is not installed"; exit 77; }
done
[ -f "$exe" ] || { echo "FAIL: no executable at $exe"; exit 1; }

# Shared with the other display tests: a private Xvfb on the first free display from :100 up.
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/xvfb.sh"
work=$(mktemp -d)
app_pid=""
mkdir -p "$prefix"
export WINEPREFIX=$(cd "$prefix" && pwd) WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# wineserver -k ends the Windows processes of this test's own prefix, and only those.
cleanup() {
    wineserver -k 2>/dev/null
    [ -n "$app_pid" ] && kill -KILL "$app_pid" 2>/dev/null
    xvfb_stop
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; echo "--- stdout:"; cat "$work/out.txt" 2>/dev/null; exit 1; }

xvfb_start || fail "Xvfb did not start"

timeout 120 wine "$exe" >"$work/out.txt" 2>"$work/err.txt" &
app_pid=$!
wid=$(timeout 100 xdotool search --sync --onlyvisible --name "Simulation de la" | tail -n1)
[ -n "$wid" ] || fail "no window titled 'Simulation de la ...'"
sleep 1

MOTION_CROP=700x600+201+71 SETTLE=0.7
source "$(dirname "${BASH_SOURCE[0]}")/drive_simulator.sh"
echo "PASS: motion, angle +, exit, farewell prompt, final click, status 0 (Windows build under Wine)"
