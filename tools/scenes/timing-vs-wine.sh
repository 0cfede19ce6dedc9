#!/usr/bin/env bash
# Runs raster_timing natively and, cross-built, under Wine (through scripts/run-under-wine.sh,
# which starts its own Xvfb and Wine session), one after the other in one run, and prints each
# case with both figures (microseconds per call), the ratio native / Wine, and a '*' on every
# row where the native call is slower than Wine's. A measurement for people, not a test.
# Usage: tools/scenes/timing-vs-wine.sh BUILD_NATIVE BUILD_WINDOWS
set -euo pipefail
(($# == 2)) || { echo "usage: $0 BUILD_NATIVE BUILD_WINDOWS" >&2; exit 2; }
root=$(cd "$(dirname "$0")/../.." && pwd)
native=$(cd "$1" && pwd)
windows=$(cd "$2" && pwd)
out="$native/bench-vs-wine"
mkdir -p "$out"
ZG_DISPLAY=headless "$native/tools/scenes/raster_timing" >"$out/native.txt"
"$root/scripts/run-under-wine.sh" "$windows/tools/scenes/raster_timing.exe" | tr -d '\r' >"$out/wine.txt"
printf '%-30s %12s %12s %14s\n' case native_us wine_us native/wine
join <(sort "$out/native.txt") <(sort "$out/wine.txt") |
    awk '{ r = $2 / $3; printf "%-30s %12.2f %12.2f %8.2f %s\n", $1, $2, $3, r, (r > 1 ? "*" : "") }'
