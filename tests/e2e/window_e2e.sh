#!/usr/bin/env bash
# Usage: window_e2e.sh window|no-display|interrupt WINDOWPROBE
# The library in a real SDL window on a private Xvfb display, driven by xdotool as a person
# would drive it:
#   window      the caption, a 1000 x 700 client area (xwininfo), a left and a right click
#               queued at their positions, the farewell prompt, and the click that ends the
#               program with status 0; standard output must hold exactly those lines.
#   no-display  with no X display and no ZG_DISPLAY, one line on standard error and status 1.
#   interrupt   SIGINT, then SIGTERM, to a probe waiting for a click: each ends it, status 0,
#               as closing its window would (SDL turns both signals into a quit event).
# A time limit here still ends with SIGKILL, in case a signal is not heeded.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../../scripts/lib/xvfb.sh"

(($# == 2)) || { echo "usage: $0 window|no-display|interrupt WINDOWPROBE" >&2; exit 2; }
mode=$1
probe=$2
title="Zorgraphics window probe"
farewell="Click mouse in the graphics window to finish execution."

work=$(mktemp -d)
probe_pid=""
cleanup() {
  # probe_pid is timeout(1): it passes the signal on and follows it with SIGKILL a second later.
  [[ -n "$probe_pid" ]] && kill "$probe_pid" 2>/dev/null && wait "$probe_pid" 2>/dev/null
  xvfb_stop
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  echo "--- probe stdout:"; cat "$work/out"
  echo "--- probe stderr:"; cat "$work/err"
  exit 1
}

wait_for_line() {  # line seconds: waits until the probe's stdout holds this exact line
  local i
  for ((i = 0; i < $2 * 20; i++)); do
    grep -qxF -- "$1" "$work/out" && return 0
    sleep 0.05
  done
  return 1
}

click() {  # x y button: a press and release at client position (x, y)
  xdotool mousemove --sync --window "$wid" "$1" "$2" click "$3"
}

client_size() {  # width x height of the window as the X server has it
  xwininfo -id "$wid" | awk '/^ *Width:/ {w = $2} /^ *Height:/ {h = $2} END {print w "x" h}'
}

run_window() {
  xvfb_start || exit 1
  ZG_DISPLAY=sdl timeout -k 1 120 "$probe" 2 >"$work/out" 2>"$work/err" &
  probe_pid=$!
  wait_for_line ready 60 || fail "the probe never said ready"
  wid=$(timeout 30 xdotool search --sync --name "^$title\$" | head -n 1)
  [[ -n "$wid" ]] || fail "no window captioned '$title'"
  [[ "$(xdotool getwindowname "$wid")" == "$title" ]] || fail "caption is '$(xdotool getwindowname "$wid")'"
  [[ "$(client_size)" == 1000x700 ]] || fail "client area is $(client_size), not 1000x700"

  click 120 80 1
  wait_for_line "LEFT_CLICK 120 80" 20 || fail "left click at (120, 80) not reported"
  click 900 650 3
  wait_for_line "RIGHT_CLICK 900 650" 20 || fail "right click at (900, 650) not reported"
  wait_for_line "$farewell" 20 || fail "no farewell prompt"
  sleep 0.5
  kill -0 "$probe_pid" 2>/dev/null || fail "the probe ended before the farewell click"

  click 500 350 1
  wait "$probe_pid"
  local status=$?
  probe_pid=""
  ((status == 0)) || fail "exit status $status after the farewell click"
  printf '%s\n' ready "LEFT_CLICK 120 80" "RIGHT_CLICK 900 650" "$farewell" >"$work/expected"
  diff -u "$work/expected" "$work/out" || fail "standard output differs from the expected lines"
  echo "window e2e: caption, 1000x700, clicks, farewell and exit status 0 as expected"
}

run_no_display() {
  env -u DISPLAY -u WAYLAND_DISPLAY -u ZG_DISPLAY -u SDL_VIDEODRIVER \
    timeout -s KILL 20 "$probe" >"$work/out" 2>"$work/err"
  local status=$?
  ((status == 1)) || fail "exit status $status without a display, expected 1"
  (($(wc -l <"$work/err") == 1)) || fail "expected exactly one line on standard error"
  [[ ! -s "$work/out" ]] || fail "expected nothing on standard output"
  echo "no-display e2e: $(cat "$work/err")"
}

ends_within() {  # seconds: waits for the probe to end; its status, or 124 if it did not
  local i
  for ((i = 0; i < $1 * 20; i++)); do
    kill -0 "$probe_pid" 2>/dev/null || break
    sleep 0.05
  done
  kill -0 "$probe_pid" 2>/dev/null && return 124
  wait "$probe_pid"
}

run_interrupt() {
  xvfb_start || exit 1
  local signal status
  for signal in INT TERM; do
    : >"$work/out"
    # Not through timeout(1), which would take the signal itself; and with job control on, since
    # a shell without it starts background programs with SIGINT ignored, as no terminal would.
    set -m
    ZG_DISPLAY=sdl "$probe" 2 >"$work/out" 2>"$work/err" &
    probe_pid=$!
    set +m
    wait_for_line ready 60 || fail "the probe never said ready"
    sleep 0.3
    kill -s "$signal" "$probe_pid"
    ends_within 10
    status=$?
    ((status == 124)) && { kill -KILL "$probe_pid"; wait "$probe_pid" 2>/dev/null; probe_pid=""; fail "SIG$signal did not end the probe"; }
    probe_pid=""
    ((status == 0)) || fail "exit status $status after SIG$signal, expected 0"
  done
  echo "interrupt e2e: SIGINT and SIGTERM each end a program waiting for a click, status 0"
}

case "$mode" in
  window) run_window ;;
  no-display) run_no_display ;;
  interrupt) run_interrupt ;;
  *) echo "unknown mode '$mode'" >&2; exit 2 ;;
esac
