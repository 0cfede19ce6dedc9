#!/usr/bin/env bash
# The web stage: builds the web site and the native programs, checks the platform with 32-bit
# pointers under node, then plays the same scripted sessions natively (headless, PNG snapshots)
# and in the pages in headless Chromium from a local server, and compares every snapshot pixel
# for pixel (tests/web/web_pixels.mjs). Sessions: the simulator (tests/web/sessions/), the lab
# after each preset, and each example's gallery script.
# Usage: scripts/test-web.sh   (JOBS=n sets the build parallelism)
# Exit status 0 when everything matched; prints "N passed, N failed".
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
export NODE_PATH=/usr/share/nodejs
jobs=${JOBS:-2}
work=$root/build/web/test
passed=0
failed=0
started=$(date +%s)

step() { echo "== $*"; }
fail_now() { echo "FAIL $*"; echo "web: $passed passed, $((failed + 1)) failed"; exit 1; }

scripts/web-deps.sh || fail_now "npm ci"
examples=$(sed -nE 's/^set\(ZG_EXAMPLES (.*)\)$/\1/p' examples/CMakeLists.txt)
example_targets=$(for name in $examples; do printf 'example_%s ' "$name"; done)

step "build: native programs and the web site"
cmake --preset native -DZG_WERROR=ON >/dev/null || fail_now "native configure"
cmake --build --preset native --target gyroscope gyroscope_lab $example_targets -j"$jobs" >/dev/null ||
  fail_now "native build"
cmake --preset web -DZG_WERROR=ON >/dev/null || fail_now "web configure"
cmake --build --preset web --target gyroscope gyroscope_lab pointer32_test $example_targets -j"$jobs" >/dev/null ||
  fail_now "web build"
scripts/web-site.sh >/dev/null || fail_now "web site"

step "32-bit pointers under node"
if node --no-experimental-fetch build/web/web/pointer32_test.js; then
  passed=$((passed + 1))
else
  echo "FAIL pointer32_test"
  failed=$((failed + 1))
fi

step "native snapshots"
rm -rf "$work"
mkdir -p "$work/root/scripts"
ln -s "$root/build/web/site" "$work/root/site"
session() {  # NAME PAGE NATIVE_PROGRAM SCRIPT: native snapshots in $work/native/NAME, an entry in sessions
  local name=$1 page=$2 program=$root/$3 script=$root/$4 dir=$work/native/$1 entries="" shot
  mkdir -p "$dir"
  cp "$script" "$work/root/scripts/$name.script"
  if ! (cd "$dir" && ZG_DISPLAY=headless ZG_SCRIPT="$script" ZG_PRINT_DIR="$dir" timeout 120 "$program" >out.txt 2>&1); then
    echo "FAIL native $name: see $dir/out.txt"
    failed=$((failed + 1))
  fi
  for shot in $(awk '$2 == "snapshot" { print $3 }' "$script"); do
    entries+="${entries:+,}\"$shot\":\"$dir/$shot\""
  done
  sessions+=("{\"page\":\"site/$page\",\"script\":\"scripts/$name.script\",\"native\":{$entries}}")
}
sessions=()
session gyroscope gyroscope.html build/native/app/gyroscope tests/web/sessions/gyroscope.script
session gyroscope_lab gyroscope_lab.html build/native/lab/gyroscope_lab tests/web/sessions/gyroscope_lab.script
for name in $examples; do
  session "$name" "$name.html" "build/native/examples/example_$name" "examples/gallery/$name.script"
done
(IFS=,; echo "[${sessions[*]}]") >"$work/manifest.json"

step "pages in headless Chromium"
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$work/root" >"$work/server.log" 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null' EXIT
for _ in $(seq 50); do
  python3 -c "import urllib.request; urllib.request.urlopen('http://127.0.0.1:$port/site/index.html')" 2>/dev/null && break
  sleep 0.1
done
node tests/web/web_pixels.mjs "http://127.0.0.1:$port" "$work/manifest.json" "$work/differences" | tee "$work/pixels.txt"
count() {  # LOG PREFIX: adds the closing line's figures
  local p f
  read -r p f < <(sed -nE "s/^$2: ([0-9]+) passed, ([0-9]+) failed\$/\\1 \\2/p" "$1")
  if [[ -z "${p:-}" ]]; then
    echo "FAIL $1 ended without its summary"
    failed=$((failed + 1))
    return
  fi
  passed=$((passed + p))
  failed=$((failed + f))
}
count "$work/pixels.txt" "web pixels"

step "a visitor's session on the real clock"
live=$work/native/live
mkdir -p "$live"
(cd "$live" && ZG_DISPLAY=headless ZG_SCRIPT="$root/tests/web/sessions/live.script" timeout 60 \
  "$root/build/native/app/gyroscope" >out.txt 2>&1) || echo "native live session: see $live/out.txt"
node tests/web/web_live.mjs "http://127.0.0.1:$port" "$live/live-start.png" "$live/live-angle-plus.png" \
  "$work/differences" | tee "$work/live.txt"
count "$work/live.txt" "web live"
echo "web stage: $(($(date +%s) - started)) s"
echo "web: $passed passed, $failed failed"
((failed == 0))
