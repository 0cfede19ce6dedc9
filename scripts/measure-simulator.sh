#!/usr/bin/env bash
# Usage: measure-simulator.sh GYROSCOPE [SECONDS]
# The simulator in a real SDL window on a private Xvfb, measured as a user would run it:
#  - frame period while the cursor rests over the drawing area (the gyroscope animates): the time
#    between the ends of consecutive frame sleeps (nanosleeps of 50 ms or more), traced with strace;
#  - %CPU of one core while the cursor rests over the panel (the program waits for a click), from
#    utime + stime in /proc/<pid>/stat.
# Ends the program by its exit button and the farewell click.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/lib/xvfb.sh"

(($# >= 1)) || { echo "usage: $0 GYROSCOPE [SECONDS]" >&2; exit 2; }
program=$1
seconds=${2:-5}
command -v strace >/dev/null || { echo "strace is needed" >&2; exit 2; }

work=$(mktemp -d)
pid=""
cleanup() {
  [[ -n "$pid" ]] && kill -KILL "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  xvfb_stop
  [[ -n "${KEEP_TRACE:-}" ]] && cp "$work/trace" "$KEEP_TRACE"; rm -rf "$work"
}
trap cleanup EXIT

cpu_ticks() { sed -E 's/^.*\) //' "/proc/$1/stat" | awk '{print $12 + $13}'; }

xvfb_start || exit 1
ZG_DISPLAY=sdl "$program" >"$work/out" 2>"$work/err" &
pid=$!
wid=""
for ((i = 0; i < 200; i++)); do
  wid=$(xdotool search --name '^Simulation de la precession' 2>/dev/null | head -n 1)
  [[ -n "$wid" ]] && break
  sleep 0.05
done
[[ -n "$wid" ]] || { echo "no simulator window"; cat "$work/err"; exit 1; }

# Animating: cursor over the drawing area.
xdotool mousemove --sync --window "$wid" 700 400
sleep 1
timeout "$((seconds + 2))" strace -f -tt -T -e trace=clock_nanosleep,nanosleep -o "$work/trace" -p "$pid" \
  2>/dev/null &
tracer=$!
sleep "$seconds"
kill -INT "$tracer" 2>/dev/null
wait "$tracer" 2>/dev/null
# A frame's sleep is the one nanosleep of 50 ms or more (what presenting took is deducted from
# it, so it starts at different times); frames are counted between the ends of those sleeps,
# which fall exactly 100 ms after the program called Sleep.
awk '/nanosleep\(/ && /= 0 <[0-9.]+>$/ && match($0, /tv_nsec=[0-9]+/) && substr($0, RSTART + 8, RLENGTH - 8) + 0 >= 50000000 {
       split($2, t, ":"); s = t[1] * 3600 + t[2] * 60 + t[3]
       if (match($0, /<[0-9.]+>$/)) s += substr($0, RSTART + 1, RLENGTH - 2)
       if (prev) { d = (s - prev) * 1000; n++; sum += d; if (d < lo || n == 1) lo = d; if (d > hi) hi = d }
       prev = s }
     END { if (n) printf "frame period while animating: %d frames, mean %.1f ms, min %.1f ms, max %.1f ms\n", n, sum / n, lo, hi
           else print "frame period: no frames traced" }' "$work/trace"

# Waiting: cursor over the panel.
xdotool mousemove --sync --window "$wid" 100 600
sleep 1
hz=$(getconf CLK_TCK)
t0=$(cpu_ticks "$pid"); n0=$(date +%s%N)
sleep "$seconds"
t1=$(cpu_ticks "$pid"); n1=$(date +%s%N)
awk -v t=$((t1 - t0)) -v hz="$hz" -v ns=$((n1 - n0)) -v s="$seconds" \
  'BEGIN {printf "CPU while the cursor rests over the panel: %.1f %% of one core over %s s (%d ticks)\n", 100 * t / hz / (ns / 1e9), s, t}'

# Exit button, then the farewell click.
xdotool mousemove --sync --window "$wid" 90 510 click 1
sleep 0.5
xdotool click 1
for ((i = 0; i < 100; i++)); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
wait "$pid"; status=$?
pid=""
echo "exit status $status; standard output: $(cat "$work/out")"
