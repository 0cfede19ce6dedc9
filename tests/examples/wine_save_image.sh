#!/usr/bin/env bash
# The Windows build of the paint example under Wine on a private Xvfb: two clicks paint dots, the
# window is grabbed from the X server, then the s key saves painting.png through
# window::SaveImage. The file must equal the grab, every pixel of the 400 x 300 client area.
# Usage: wine_save_image.sh EXAMPLE_PAINT_EXE PREFIX_DIR
# PREFIX_DIR holds this test's own Wine prefix, made on the first run and kept for later ones.
# Exits 77 (skipped) only when a tool is missing.
set -u
exe=$1
prefix=$2
for tool in wine wineserver Xvfb xdotool import compare identify timeout; do
    command -v "$tool" >/dev/null || { echo "skip: $tool is not installed"; exit 77; }
done
[ -f "$exe" ] || { echo "FAIL: no executable at $exe"; exit 1; }
exe=$(realpath "$exe")

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
fail() { echo "FAIL: $*"; exit 1; }

xvfb_start || fail "Xvfb did not start"
(cd "$work" && exec timeout 120 wine "$exe" >"$work/out.txt" 2>"$work/err.txt") &
app_pid=$!
wid=$(timeout 100 xdotool search --sync --onlyvisible --name "^Paint" | tail -n1)
[ -n "$wid" ] || fail "no window titled 'Paint ...'"
sleep 2
for spot in "100 100" "200 150"; do
    xdotool mousemove --window "$wid" $spot
    sleep 0.3
    xdotool click 1
    sleep 0.7
done
xdotool mousemove --window "$wid" 390 290
sleep 1
import -window "$wid" -crop 400x300+0+0 +repage "$work/grab.png"
xdotool windowfocus --sync "$wid" 2>/dev/null
xdotool key s
for _ in $(seq 50); do [ -s "$work/painting.png" ] && break; sleep 0.2; done
[ -s "$work/painting.png" ] || fail "no painting.png was written"
size=$(identify -format '%wx%h' "$work/painting.png")
[ "$size" = "400x300" ] || fail "the saved picture is $size, not 400x300"
differing=$(compare -metric AE "$work/grab.png" "$work/painting.png" null: 2>&1 | cut -d' ' -f1)
[ "$differing" = "0" ] || fail "$differing pixels differ between the saved picture and the X server's"
echo "PASS: the saved painting.png ($size) equals the window grabbed from the X server"
