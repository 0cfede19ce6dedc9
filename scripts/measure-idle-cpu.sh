#!/usr/bin/env bash
# Usage: measure-idle-cpu.sh WINDOWPROBE [SECONDS] [MAX_PERCENT]
# How much of one core a library program uses while it waits for a click: the probe in a real
# SDL window on a private Xvfb, measured from utime + stime in /proc/<pid>/stat over SECONDS
# (default 5) after a one-second settling time. Prints the figure; with MAX_PERCENT, exits 1 when
# the figure is above it. The probe is then ended the ordinary way, by its two clicks.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/lib/xvfb.sh"

(($# >= 1)) || { echo "usage: $0 WINDOWPROBE [SECONDS] [MAX_PERCENT]" >&2; exit 2; }
probe=$1
seconds=${2:-5}
max_percent=${3:-}

work=$(mktemp -d)
probe_pid=""
cleanup() {
  [[ -n "$probe_pid" ]] && kill -KILL "$probe_pid" 2>/dev/null && wait "$probe_pid" 2>/dev/null
  xvfb_stop
  rm -rf "$work"
}
trap cleanup EXIT

cpu_ticks() {  # utime + stime of a process, in clock ticks (fields 14 and 15 of its stat)
  # The command name (field 2) may hold spaces; fields are counted after its closing parenthesis.
  sed -E 's/^.*\) //' "/proc/$1/stat" | awk '{print $12 + $13}'
}

xvfb_start || exit 1
ZG_DISPLAY=sdl "$probe" 1 >"$work/out" 2>"$work/err" &
probe_pid=$!
for ((i = 0; i < 600; i++)); do grep -qx ready "$work/out" && break; sleep 0.05; done
grep -qx ready "$work/out" || { echo "the probe did not start:"; cat "$work/err"; exit 1; }
sleep 1

ticks_per_second=$(getconf CLK_TCK)
start_ticks=$(cpu_ticks "$probe_pid")
start_ns=$(date +%s%N)
sleep "$seconds"
end_ticks=$(cpu_ticks "$probe_pid")
end_ns=$(date +%s%N)

percent=$(awk -v t=$((end_ticks - start_ticks)) -v hz="$ticks_per_second" -v ns=$((end_ns - start_ns)) \
  'BEGIN {printf "%.1f", 100 * t / hz / (ns / 1e9)}')
echo "idle CPU while waiting for a click: $percent % of one core over $seconds s" \
  "($((end_ticks - start_ticks)) ticks at $ticks_per_second/s)"

wid=$(xdotool search --name '^Zorgraphics window probe$' | head -n 1)
if [[ -n "$wid" ]]; then
  xdotool mousemove --sync --window "$wid" 500 350 click 1
  sleep 0.5
  xdotool click 1
  for ((i = 0; i < 100; i++)); do kill -0 "$probe_pid" 2>/dev/null || break; sleep 0.05; done
fi

[[ -z "$max_percent" ]] && exit 0
awk -v p="$percent" -v m="$max_percent" 'BEGIN {exit !(p <= m)}' && exit 0
echo "above the limit of $max_percent %"
exit 1
