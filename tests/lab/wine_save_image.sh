#!/usr/bin/env bash
# The Windows build of gyroscope_lab under Wine on a private Xvfb, as a person would use it: its
# Pause button stops the picture, the window is grabbed from the X server, then its Save PNG
# button writes gyroscope_lab_001.png through window::SaveImage. The file must equal the grab,
# every pixel of the 1000 x 700 client area.
# Usage: wine_save_image.sh GYROSCOPE_LAB_EXE PREFIX_DIR
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
wid=$(timeout 100 xdotool search --sync --onlyvisible --name "^Gyroscope lab" | tail -n1)
[ -n "$wid" ] || fail "no window titled 'Gyroscope lab ...'"
sleep 2

click_at() { xdotool mousemove --window "$wid" "$1" "$2"; sleep 0.3; xdotool click 1; sleep 1.5; }
click_at 100 480  # Pause
xdotool mousemove --window "$wid" 300 690  # off the buttons
sleep 1
import -window "$wid" -crop 1000x700+0+0 +repage "$work/grab.png"
click_at 56 580  # Save PNG
for _ in $(seq 50); do [ -s "$work/gyroscope_lab_001.png" ] && break; sleep 0.2; done
[ -s "$work/gyroscope_lab_001.png" ] || fail "no gyroscope_lab_001.png was written"
size=$(identify -format '%wx%h' "$work/gyroscope_lab_001.png")
[ "$size" = "1000x700" ] || fail "the saved picture is $size, not 1000x700"
differing=$(compare -metric AE "$work/grab.png" "$work/gyroscope_lab_001.png" null: 2>&1 | cut -d' ' -f1)
[ "$differing" = "0" ] || fail "$differing pixels differ between the saved picture and the X server's"
echo "PASS: the saved gyroscope_lab_001.png ($size) equals the window grabbed from the X server"
