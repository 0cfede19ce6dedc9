#!/usr/bin/env bash
# The web build's figures beside the native ones, from one run: frame time of the simulator and
# the lab (page: tests/web/web_measure.mjs; native: bench/frame_bench and bench/lab_frame_bench,
# one frame without its sleep), time from page load to the first frame from a local server, and
# the gzipped bytes each program's page transfers (html, style, js, wasm, data with the fonts).
# Usage: scripts/measure-web.sh [SITE_DIR]   (after `make web` and the native benchmarks: make
# measure-web; SITE_DIR defaults to build/web/site)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
site=${1:-build/web/site}
work=$(mktemp -d "${TMPDIR:-/tmp}/zg-measure-web.XXXXXX")
trap 'kill "${server:-}" 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$work/scripts"
ln -s "$(cd "$site" && pwd)" "$work/site"
printf '0 move 700 400\n3000 close\n' >"$work/scripts/measure-gyroscope.script"
printf '0 move 700 400\n3000 close\n' >"$work/scripts/measure-lab.script"

echo "== native (Google Benchmark, headless display)"
native_gyro=$(ZG_DISPLAY=headless build/native/bench/frame_bench --benchmark_filter='BM_MovingFrame$' \
  --benchmark_format=csv 2>/dev/null | awk -F, '/BM_MovingFrame/ { print $3 / 1000 }')
native_lab=$(ZG_DISPLAY=headless build/native/bench/lab_frame_bench --benchmark_filter='BM_LabFrame$' \
  --benchmark_format=csv 2>/dev/null | awk -F, '/BM_LabFrame/ { print $3 / 1000 }')
echo "gyroscope_frame_ms $native_gyro"
echo "lab_frame_ms $native_lab"

echo "== page (headless Chromium)"
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$work" >/dev/null 2>&1 &
server=$!
sleep 0.5
node tests/web/web_measure.mjs "http://127.0.0.1:$port" | tee "$work/page.txt"
web_gyro=$(awk '$1 == "gyroscope_frame_ms" { print $2 }' "$work/page.txt")
web_lab=$(awk '$1 == "lab_frame_ms" { print $2 }' "$work/page.txt")
awk -v w="$web_gyro" -v n="$native_gyro" 'BEGIN { printf "gyroscope frame: page / native = %.2f\n", w / n }'
awk -v w="$web_lab" -v n="$native_lab" 'BEGIN { printf "lab frame: page / native = %.2f\n", w / n }'

echo "== gzipped bytes per program (html + css + js + wasm + data)"
for page in "$site"/*.html; do
  name=$(basename "$page" .html)
  [[ "$name" == index ]] && continue
  program=$(sed -nE 's/.*<script src="([^"]+)\.js".*/\1/p' "$page")
  total=0
  for file in "$page" "$site/zorgraphics.css" "$site/$program.js" "$site/$program.wasm" "$site/$program.data"; do
    total=$((total + $(gzip -9c "$file" | wc -c)))
  done
  printf '%-16s %8d bytes (wasm %d, data %d gzipped)\n' "$name" "$total" \
    "$(gzip -9c "$site/$program.wasm" | wc -c)" "$(gzip -9c "$site/$program.data" | wc -c)"
done
