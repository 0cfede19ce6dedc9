#!/usr/bin/env bash
# Makes docs/gyroscope_lab.png, the README's picture of gyroscope_lab, with the headless display:
# the "loops" preset is chosen with one click on "+" of the preset box and the top runs for
# 2.5 s of virtual time, so the trace shows its loops and the plots are full.
# Usage: lab/screenshot.sh [GYROSCOPE_LAB_EXECUTABLE] [OUTPUT_PNG]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe=${1:-$root/build/native/lab/gyroscope_lab}
out=${2:-$root/docs/gyroscope_lab.png}
if [ $# -eq 0 ] && [ ! -x "$exe" ]; then
    (cd "$root" && cmake --preset native >/dev/null && cmake --build --preset native --target gyroscope_lab -j"${JOBS:-2}")
fi
[ -x "$exe" ] || { echo "screenshot.sh: no executable at $exe" >&2; exit 2; }
mkdir -p "$(dirname "$out")"
out=$(cd "$(dirname "$out")" && pwd)/$(basename "$out")
rm -f "$out"

script=$(mktemp)
trap 'rm -f "$script"' EXIT
cat >"$script" <<SCRIPT
# virtual milliseconds: a frame every 50 while the top runs
50 click left 168 70
2500 snapshot $out
2600 close
SCRIPT
ZG_DISPLAY=headless ZG_SCRIPT="$script" timeout 60 "$exe" >/dev/null
[ -s "$out" ] || { echo "screenshot.sh: no snapshot was written" >&2; exit 1; }
echo "wrote $out"
