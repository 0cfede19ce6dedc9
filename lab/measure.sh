#!/usr/bin/env bash
# Usage: lab/measure.sh [GYROSCOPE_LAB] [SECONDS]
# gyroscope_lab in a real SDL window on a private Xvfb, measured as a person would run it:
#  - frame period while the top runs: the time between the ends of consecutive frame sleeps
#    (nanosleeps of 25 ms or more; a frame sleeps 50 ms), traced with strace;
#  - %CPU of one core while it runs and while it is paused (a 50 ms sleep and a look at the
#    queues per frame, so that keys and drags still work),
#    from utime + stime in /proc/<pid>/stat.
# Ends the program with its Exit button.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/lib/xvfb.sh"
program=${1:-$root/build/native/lab/gyroscope_lab}
seconds=${2:-5}
command -v strace >/dev/null || { echo "strace is needed" >&2; exit 2; }
[[ -x "$program" ]] || { echo "no executable at $program" >&2; exit 2; }

work=$(mktemp -d)
pid=""
cleanup() {
  [[ -n "$pid" ]] && kill -KILL "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  xvfb_stop
  rm -rf "$work"
}
trap cleanup EXIT

cpu_ticks() { sed -E 's/^.*\) //' "/proc/$1/stat" | awk '{print $12 + $13}'; }

cpu_percent() {  # label: %CPU of the program over $seconds
  local hz t0 t1 n0 n1
  hz=$(getconf CLK_TCK)
  t0=$(cpu_ticks "$pid"); n0=$(date +%s%N)
  sleep "$seconds"
  t1=$(cpu_ticks "$pid"); n1=$(date +%s%N)
  awk -v t=$((t1 - t0)) -v hz="$hz" -v ns=$((n1 - n0)) -v s="$seconds" -v what="$1" \
    'BEGIN {printf "CPU %s: %.1f %% of one core over %s s (%d ticks)\n", what, 100 * t / hz / (ns / 1e9), s, t}'
}

xvfb_start || exit 1
ZG_DISPLAY=sdl "$program" >"$work/out" 2>"$work/err" &
pid=$!
wid=""
for ((i = 0; i < 200; i++)); do
  wid=$(xdotool search --name '^Gyroscope lab' 2>/dev/null | head -n 1)
  [[ -n "$wid" ]] && break
  sleep 0.05
done
[[ -n "$wid" ]] || { echo "no gyroscope_lab window"; cat "$work/err"; exit 1; }
sleep 1

timeout "$((seconds + 2))" strace -f -tt -T -e trace=clock_nanosleep,nanosleep -o "$work/trace" -p "$pid" \
  2>/dev/null &
tracer=$!
sleep "$seconds"
kill -INT "$tracer" 2>/dev/null
wait "$tracer" 2>/dev/null
awk '/nanosleep\(/ && /= 0 <[0-9.]+>$/ && match($0, /tv_nsec=[0-9]+/) && substr($0, RSTART + 8, RLENGTH - 8) + 0 >= 25000000 {
       split($2, t, ":"); s = t[1] * 3600 + t[2] * 60 + t[3]
       if (match($0, /<[0-9.]+>$/)) s += substr($0, RSTART + 1, RLENGTH - 2)
       if (prev) { d = (s - prev) * 1000; n++; sum += d; if (d < lo || n == 1) lo = d; if (d > hi) hi = d }
       prev = s }
     END { if (n) printf "frame period while running: %d frames, mean %.1f ms (%.1f frames/s), min %.1f ms, max %.1f ms\n", n, sum / n, 1000 * n / sum, lo, hi
           else print "frame period: no frames traced" }' "$work/trace"
cpu_percent "while running"

xdotool mousemove --sync --window "$wid" 100 480 click 1  # Pause
sleep 1
cpu_percent "while paused"

xdotool mousemove --sync --window "$wid" 100 544 click 1  # Exit
for ((i = 0; i < 100; i++)); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
wait "$pid"; status=$?
pid=""
echo "exit status $status"
