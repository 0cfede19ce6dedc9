#!/bin/sh
# Differential test of the portable rasteriser against Wine: renders the scene corpus natively
# and, cross-built, under Wine on a private Xvfb display, then compares the two renderings.
# Fails on any difference that tools/scenes/known-deviations.txt does not list.
#
# Usage: scripts/scene-diff.sh BUILD_NATIVE BUILD_WINDOWS [SCENE-NAME-FILTER]
# Needs scene_render and scene_compare built in BUILD_NATIVE and scene_render.exe in
# BUILD_WINDOWS. Diff images (PPM) go to BUILD_NATIVE/scene-diff/.
set -eu

if [ $# -lt 2 ]; then
    echo "usage: $0 BUILD_NATIVE BUILD_WINDOWS [FILTER]" >&2
    exit 2
fi
native=$(cd "$1" && pwd)
windows=$(cd "$2" && pwd)
filter=${3:-}
root=$(cd "$(dirname "$0")/.." && pwd)
out="$native/scene-diff"
render="$native/tools/scenes/scene_render"
compare="$native/tools/scenes/scene_compare"
render_exe="$windows/tools/scenes/scene_render.exe"
for f in "$render" "$compare" "$render_exe"; do
    [ -x "$f" ] || [ -f "$f" ] || { echo "scene-diff: missing $f (build it first)" >&2; exit 2; }
done
rm -rf "$out"
mkdir -p "$out"

# A private X display for Wine: the first free number from 60 up.
display=60
while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 640x480x24 >/dev/null 2>&1 &
xvfb_pid=$!
cleanup() {
    WINEPREFIX="$windows/wineprefix-scenes" wineserver -k >/dev/null 2>&1 || true
    kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT INT TERM
sleep 1

ZG_DISPLAY=headless "$render" "$out/native.bin" $filter >/dev/null
DISPLAY=":$display" WINEDEBUG=-all WINEPREFIX="$windows/wineprefix-scenes" WINEDLLOVERRIDES="winedbg.exe=d" \
    wine "$render_exe" "$out/wine.bin" $filter >/dev/null
"$compare" "$out/native.bin" "$out/wine.bin" "$out" "$root/tools/scenes/known-deviations.txt"
