#!/usr/bin/env bash
# The Windows build of the simulator under Wine on a private Xvfb display, driven by xdotool:
# the figure turns under the cursor, angle "+" redraws its box, the exit button brings the
# farewell prompt, one more click ends the program with status 0.
# Usage: wine_e2e.sh SOURCE_DIR CROSS_BUILD_DIR
# The executable is cross-built into CROSS_BUILD_DIR (mingw-w64) when it is not there yet; the Wine
# prefix lives there too, so only the first run pays for Wine's start-up. Exits 77 (skipped) only
# when a tool is missing.
set -u
src=$1
build=$2
for tool in x86_64-w64-mingw32-g++-posix wine cmake Xvfb xdotool import compare timeout; do
    command -v "$tool" >/dev/null || { echo "skip: $tool is not installed"; exit 77; }
done

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$src" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-w64.cmake" \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZG_BUILD_TESTS=OFF -DZG_BUILD_BENCH=OFF >/dev/null ||
        { echo "FAIL: cross configure"; exit 1; }
fi
cmake --build "$build" --target gyroscope -j2 >"$build/cross-build.log" 2>&1 ||
    { tail -n 30 "$build/cross-build.log"; echo "FAIL: cross build"; exit 1; }
exe=$build/app/gyroscope.exe

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all
# wineserver -k ends the Windows processes of this test's own prefix, and only those.
cleanup() {
    wineserver -k 2>/dev/null
    [ -n "$app_pid" ] && kill -KILL "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; echo "--- stdout:"; cat "$work/out.txt" 2>/dev/null; exit 1; }

# -displayfd: Xvfb picks a free display number itself and writes it once it accepts clients.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"

timeout 120 wine "$exe" >"$work/out.txt" 2>"$work/err.txt" &
app_pid=$!
wid=$(timeout 100 xdotool search --sync --onlyvisible --name "Simulation de la" | tail -n1)
[ -n "$wid" ] || fail "no window titled 'Simulation de la ...'"
sleep 1

click_at() { xdotool mousemove --window "$wid" "$1" "$2"; sleep 0.3; xdotool click 1; sleep 0.7; }
differing() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1; }

xdotool mousemove --window "$wid" 700 400
sleep 1
import -window "$wid" -crop 700x600+201+71 "$work/a.png"
sleep 0.7
import -window "$wid" -crop 700x600+201+71 "$work/b.png"
moved=$(differing "$work/a.png" "$work/b.png")
[ "${moved:-0}" -gt 0 ] || fail "the figure did not move under the cursor"
echo "motion: $moved pixels changed between two grabs"

xdotool mousemove --window "$wid" 120 125
sleep 0.7
import -window "$wid" -crop 15x20+85+125 "$work/box1.png"
click_at 120 125
import -window "$wid" -crop 15x20+85+125 "$work/box2.png"
changed=$(differing "$work/box1.png" "$work/box2.png")
[ "${changed:-0}" -gt 0 ] || fail "angle \"+\" did not redraw the angle value"
echo "angle +: $changed pixels of the value box changed"

click_at 60 510
for _ in $(seq 50); do grep -q "Click mouse in the graphics window" "$work/out.txt" && break; sleep 0.2; done
[ "$(tr -d '\r' <"$work/out.txt")" = "Click mouse in the graphics window to finish execution." ] ||
    fail "no farewell prompt"
kill -0 "$app_pid" 2>/dev/null || fail "ended before the farewell click"
click_at 500 400
for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.2; done
kill -0 "$app_pid" 2>/dev/null && fail "still running 20 s after the farewell click"
wait "$app_pid"
status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
echo "PASS: motion, angle +, exit, farewell prompt, final click, status 0 (Windows build under Wine)"
