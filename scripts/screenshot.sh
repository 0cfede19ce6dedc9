#!/usr/bin/env bash
# Makes docs/gyroscope.png, the README's picture, with the headless display: the gyroscope turns
# for a few frames under the cursor, then the cursor rests on the panel and "+" of the rotation
# speed is clicked, so the picture shows a leaning figure and a status line.
# Usage: scripts/screenshot.sh [GYROSCOPE_EXECUTABLE] [OUTPUT_PNG]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe=${1:-$root/build/native/app/gyroscope}
out=${2:-$root/docs/gyroscope.png}
if [ $# -eq 0 ] && [ ! -x "$exe" ]; then
    # The default executable is the native preset's: build it when it is not there yet.
    (cd "$root" && cmake --preset native >/dev/null && cmake --build --preset native --target gyroscope -j"${JOBS:-2}")
fi
[ -x "$exe" ] || { echo "screenshot.sh: no executable at $exe" >&2; exit 2; }
mkdir -p "$(dirname "$out")"
out=$(cd "$(dirname "$out")" && pwd)/$(basename "$out")

script=$(mktemp)
trap 'rm -f "$script"' EXIT
cat >"$script" <<SCRIPT
# virtual milliseconds: one frame every 100 while the cursor is on the drawing area
50 move 700 400
750 move 120 325
800 click left 120 325
1000 snapshot $out
1100 close
SCRIPT
ZG_DISPLAY=headless ZG_SCRIPT="$script" timeout 60 "$exe" >/dev/null
[ -s "$out" ] || { echo "screenshot.sh: no snapshot was written" >&2; exit 1; }
echo "wrote $out"
