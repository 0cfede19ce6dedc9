#!/bin/sh
# Runs raster_timing natively and, cross-built, under Wine on a private Xvfb display, one after
# the other, and prints both columns (microseconds per operation) with their ratio.
# Usage: tools/scenes/timing-vs-wine.sh BUILD_NATIVE BUILD_WINDOWS
set -eu
native=$(cd "$1" && pwd)
windows=$(cd "$2" && pwd)
display=70
while [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 640x480x24 >/dev/null 2>&1 &
xvfb_pid=$!
trap 'WINEPREFIX="$windows/wineprefix-scenes" wineserver -k >/dev/null 2>&1 || true; kill $xvfb_pid 2>/dev/null || true' EXIT
sleep 1
ZG_DISPLAY=headless "$native/tools/scenes/raster_timing" > "$native/timing-native.txt"
DISPLAY=":$display" WINEDEBUG=-all WINEPREFIX="$windows/wineprefix-scenes" \
    wine "$windows/tools/scenes/raster_timing.exe" | tr -d '\r' > "$native/timing-wine.txt"
printf '%-26s %12s %12s %8s\n' case native_us wine_us wine/native
join "$native/timing-native.txt" "$native/timing-wine.txt" |
    awk '{ printf "%-26s %12.1f %12.1f %8.2f\n", $1, $2, $3, $3 / $2 }'
