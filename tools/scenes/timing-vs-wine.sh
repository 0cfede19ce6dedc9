#!/usr/bin/env bash
# Runs raster_timing natively and, cross-built, under Wine (one session through
# scripts/lib/wine.sh), one after the other in one run, and prints each case with both figures
# (microseconds per call), the ratio native / Wine, and a '*' on every row where the native call
# is slower than Wine's. The memcpy_ and memset_ rows are the C libraries' own copies and fills
# of the same rows on each side, the memory limit the other rows are seen against. A
# measurement for people, not a test.
# Usage: tools/scenes/timing-vs-wine.sh BUILD_NATIVE BUILD_WINDOWS
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$root/scripts/lib/wine.sh"
if [[ "${1:-}" == --help || "${1:-}" == -h ]]; then
  echo "usage: $0 BUILD_NATIVE BUILD_WINDOWS"
  exit 0
fi
if (($# != 2)) || [[ "$1" == -* || "$2" == -* ]]; then
  echo "usage: $0 BUILD_NATIVE BUILD_WINDOWS" >&2
  exit 2
fi
native=$(cd "$1" && pwd)
windows=$(cd "$2" && pwd)
out="$native/bench-vs-wine"
mkdir -p "$out"
# The native figures first: a Wine session just started keeps the other core busy for a while,
# which the calls that use a second core would pay for.
ZG_DISPLAY=headless "$native/tools/scenes/raster_timing" >"$out/native.txt"
wine_open "$windows"
trap wine_close EXIT
wine_run "$windows/tools/scenes/raster_timing.exe" >"$out/wine.txt"
printf '%-30s %12s %12s %14s\n' case native_us wine_us native/wine
join <(sort "$out/native.txt") <(sort "$out/wine.txt") |
    awk '{ r = $2 / $3; ref = ($1 ~ /^(memcpy|memset)_/);
           printf "%-30s %12.3f %12.3f %8.2f %s\n", $1, $2, $3, r, ref ? "(C library on each side: the memory limit, no call of ours)" : (r > 1 ? "*" : "") }'
