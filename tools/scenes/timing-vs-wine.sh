#!/usr/bin/env bash
# Runs raster_timing natively and, cross-built, under Wine (one session through
# scripts/lib/wine.sh), one after the other, and prints both columns (microseconds per
# operation) with their ratio.
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
wine_open "$windows"
trap wine_close EXIT
ZG_DISPLAY=headless "$native/tools/scenes/raster_timing" >"$native/timing-native.txt"
wine_run "$windows/tools/scenes/raster_timing.exe" >"$native/timing-wine.txt"
printf '%-26s %12s %12s %8s\n' case native_us wine_us wine/native
join "$native/timing-native.txt" "$native/timing-wine.txt" |
  awk '{ printf "%-26s %12.1f %12.1f %8.2f\n", $1, $2, $3, $3 / $2 }'
