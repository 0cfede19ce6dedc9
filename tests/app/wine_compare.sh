#!/usr/bin/env bash
# The simulator drawn twice through one session and compared pixel by pixel: natively on the
# headless display (scripted, virtual time) and the Windows build under Wine on a private Xvfb
# (driven by xdotool, real time). Snapshots of the client area:
#   start   the start-up picture, the cursor outside the window
#   motion  after the cursor spent about a second over the drawing area and went back to the
#           panel: Wine's real time gives some number of motion frames, so the native frame
#           count is the one whose picture is closest, and the rest of the native session
#           follows that count
#   plus    after a click on the angle's "+"
#   reset   after a click on the reset button
# Every differing pixel must be accounted for in DEVIATIONS (lines "<snapshot> <pixels>
# <cause>"): the test fails on any snapshot whose count differs from its listed total, more
# (a new difference) or fewer (a fixed one: lower the list).
# Usage: wine_compare.sh WINDOWS_EXE NATIVE_EXE SESSION_DIR DEVIATIONS [KEEP_DIR]
# SESSION_DIR holds this test's own Wine session (scripts/wine-session.sh: a private Xvfb, and
# a prefix made on the first run and kept); KEEP_DIR, if given, receives the pictures.
# Exits 77 (skipped) when a tool or the native build is missing.
set -u
exe=$1 native=$2 session=$3 deviations=$4 keep=${5:-}
for tool in wine wineserver Xvfb xdotool import compare convert timeout; do
  command -v "$tool" >/dev/null || { echo "skip: $tool is not installed"; exit 77; }
done
[ -x "$native" ] || { echo "skip: no native build of the simulator at $native"; exit 77; }
[ -f "$exe" ] || { echo "FAIL: no executable at $exe"; exit 1; }
[ -f "$deviations" ] || { echo "FAIL: no deviation list at $deviations"; exit 1; }
native=$(realpath "$native")

scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../scripts" && pwd)
work=$(mktemp -d)
app_pid=""
cleanup() {
  "$scripts/wine-session.sh" stop "$session" >/dev/null 2>&1
  [ -n "$app_pid" ] && kill -KILL "$app_pid" 2>/dev/null
  wait 2>/dev/null
  if [ -n "$keep" ]; then mkdir -p "$keep" && cp "$work"/*.png "$keep"/ 2>/dev/null; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Wine's unmanaged window sits at the screen's origin with its own frame around the client.
FRAME_X=3 FRAME_Y=22
PANEL="10 690" INSIDE="700 400" PLUS="120 125" RESET="60 60"
MOTION_SNAPSHOTS=60

# --- Wine ---------------------------------------------------------------------------------
"$scripts/wine-session.sh" start "$session" >"$work/session.log" 2>&1 || { cat "$work/session.log"; fail "no Wine session"; }
set -a
source "$session/env"
set +a
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
screen() { echo $(($1 + FRAME_X)) $(($2 + FRAME_Y)); }
# The cursor waits outside the window, so no frame moves the figure until it comes in.
xdotool mousemove 1200 900
timeout 120 wine "$exe" >"$work/out.txt" 2>&1 &
app_pid=$!
wid=$(timeout 100 xdotool search --sync --onlyvisible --name "Simulation de la" | tail -n1)
[ -n "$wid" ] || fail "no window titled 'Simulation de la ...'"
grab() { sleep 1; import -window root -crop 1000x700+$FRAME_X+$FRAME_Y +repage "$work/wine-$1.png"; }
click() { xdotool mousemove $(screen $1 $2); sleep 0.3; xdotool click 1; }
grab start
xdotool mousemove $(screen $INSIDE)
sleep 1
xdotool mousemove $(screen $PANEL)
grab motion
click $PLUS
grab plus
click $RESET
grab reset

# --- native -------------------------------------------------------------------------------
run_native() {  # script file
  (cd "$work" && ZG_DISPLAY=headless ZG_SCRIPT="$1" timeout 60 "$native" >/dev/null 2>&1)
}
differing() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1; }

{
  echo "250 snapshot native-start.png"
  echo "300 move $INSIDE"
  for ((j = 0; j < MOTION_SNAPSHOTS; j++)); do echo "$((375 + 100 * j)) snapshot frame-$j.png"; done
  echo "$((475 + 100 * MOTION_SNAPSHOTS)) close"
} >"$work/frames.script"
run_native "$work/frames.script"
best=0 best_count=""
for ((j = 0; j < MOTION_SNAPSHOTS; j++)); do
  count=$(differing "$work/frame-$j.png" "$work/wine-motion.png")
  if [ -z "$best_count" ] || [ "$count" -lt "$best_count" ]; then best=$j best_count=$count; fi
done
echo "motion: closest native picture is frame snapshot $best"

t=$((375 + 100 * best))
cat >"$work/session.script" <<SCRIPT
250 snapshot native-start.png
300 move $INSIDE
$((t + 5)) move $PANEL
$((t + 300)) snapshot native-motion.png
$((t + 400)) click left $PLUS
$((t + 700)) snapshot native-plus.png
$((t + 800)) click left $RESET
$((t + 1100)) snapshot native-reset.png
$((t + 1200)) close
SCRIPT
run_native "$work/session.script"

# --- comparison ---------------------------------------------------------------------------
# Each step must change the picture, or the session did not happen as planned.
for step in "start motion" "motion plus" "plus reset"; do
  set -- $step
  [ "$(differing "$work/native-$1.png" "$work/native-$2.png")" != 0 ] || fail "native $2 is the same picture as $1"
done
status=0
for snapshot in start motion plus reset; do
  [ -f "$work/native-$snapshot.png" ] || fail "no native $snapshot snapshot"
  count=$(differing "$work/native-$snapshot.png" "$work/wine-$snapshot.png")
  listed=$(awk -v s="$snapshot" '$1 == s { n += $2 } END { print n + 0 }' "$deviations")
  total=$((1000 * 700))
  echo "$snapshot: $((total - count)) of $total pixels identical ($count differ, $listed listed)"
  if [ "$count" != "$listed" ]; then
    echo "  FAIL: $snapshot differs in $count pixels; the deviation list names $listed"
    compare "$work/native-$snapshot.png" "$work/wine-$snapshot.png" "$work/diff-$snapshot.png" 2>/dev/null
    status=1
  fi
done
[ "$status" -eq 0 ] && echo "PASS: every difference is a listed deviation"
exit "$status"
