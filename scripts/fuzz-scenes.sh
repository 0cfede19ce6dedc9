#!/usr/bin/env bash
# Random differential scenes: draws COUNT seeded random GDI call sequences natively and, cross-
# built, under Wine on a private Xvfb display, and compares them. Each differing seed is shrunk
# (calls removed one at a time while the difference stays) to its smallest differing sequence,
# which is then explained by a line of tools/scenes/random-deviations.txt or reported as new.
# Fails when a difference has no explanation; the selections of such sequences go to
# BUILD_NATIVE/fuzz-scenes/new-scenes.txt, to be added as fixed scenes once understood.
#
# Usage: scripts/fuzz-scenes.sh BUILD_NATIVE BUILD_WINDOWS COUNT [FIRST-SEED]
set -euo pipefail

if (($# < 3)); then
  echo "usage: $0 BUILD_NATIVE BUILD_WINDOWS COUNT [FIRST-SEED]" >&2
  exit 2
fi
native=$(cd "$1" && pwd)
windows=$(cd "$2" && pwd)
count=$3
first=${4:-1}
root=$(cd "$(dirname "$0")/.." && pwd)
out="$native/fuzz-scenes"
render="$native/tools/scenes/scene_render"
compare="$native/tools/scenes/scene_compare"
render_exe="$windows/tools/scenes/scene_render.exe"
deviations="$root/tools/scenes/random-deviations.txt"
for f in "$render" "$compare" "$render_exe"; do
  [[ -f "$f" ]] || { echo "fuzz-scenes: missing $f (build it first)" >&2; exit 2; }
done
rm -rf "$out"
mkdir -p "$out"

display=70
while [[ -e "/tmp/.X$display-lock" || -e "/tmp/.X11-unix/X$display" ]]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 640x480x24 >/dev/null 2>&1 &
xvfb_pid=$!
export WINEPREFIX="$windows/wineprefix-fuzz" WINEDEBUG=-all WINEDLLOVERRIDES="winedbg.exe=d" DISPLAY=":$display"
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT INT TERM
sleep 1
wineserver -p >/dev/null 2>&1 || true  # one server for every run below

# render_both NAME ARGS...: both renderings of the scenes ARGS select, compared; prints the
# names of the differing scenes.
render_both() {
  local name=$1
  shift
  ZG_DISPLAY=headless "$render" "$out/$name.native.bin" "$@" >/dev/null
  wine "$render_exe" "$out/$name.wine.bin" "$@" >/dev/null 2>&1
  mkdir -p "$out/$name.diff"
  "$compare" "$out/$name.native.bin" "$out/$name.wine.bin" "$out/$name.diff" | awk '$1 == "DIFF" || $1 == "MISSING" {print $2}' || true
  rm -f "$out/$name.native.bin" "$out/$name.wine.bin"
}

# render_selections NAME FILE: render_both over the selections of FILE, a bounded number at a time (a
# long run shrinks thousands of sequences at once, and one file of them all would not fit).
render_selections() {
  local name=$1 file=$2 part
  rm -f "$out/$name".part.*
  split -l 2000 "$file" "$out/$name.part."
  for part in "$out/$name".part.*; do render_both "$name" --selections "$part"; done
  rm -f "$out/$name".part.*
}

# Shrinks every differing seed at once, round by round: each round draws, for every seed still
# shrinking, its sequence with one call left out in turn, and keeps the first of those that
# still differs; a seed stops when no call can go. One pair of renderings per round, however
# many seeds, so a long run costs a few extra renderings, not one per seed.
declare -A keep=()
shrink_all() {
  local seed name active=("$@")
  for seed in "${active[@]}"; do
    keep[$seed]=$(seq -s . 0 $(($("$render" --describe "$seed" | wc -l) - 1)))
  done
  while ((${#active[@]})); do
    : >"$out/selections.txt"
    for seed in "${active[@]}"; do
      local -a parts
      IFS=. read -r -a parts <<<"${keep[$seed]}"
      ((${#parts[@]} > 1)) || continue
      for ((i = 0; i < ${#parts[@]}; i++)); do
        local rest=("${parts[@]:0:i}" "${parts[@]:i+1}")
        (IFS=.; echo "$seed:${rest[*]}") >>"$out/selections.txt"
      done
    done
    [[ -s "$out/selections.txt" ]] || break
    declare -A smaller=()
    while read -r name; do
      seed=${name#random_}
      seed=${seed%%_*}
      [[ -n "${smaller[$seed]:-}" ]] || smaller[$seed]=${name#random_"$seed"_}
    done < <(render_selections shrink "$out/selections.txt")
    active=()
    for seed in "${!smaller[@]}"; do
      keep[$seed]=${smaller[$seed]}
      active+=("$seed")
    done
    unset smaller
  done
}

# The reason a minimal sequence differs, from the deviation list (REGEX<TAB>REASON lines
# matched against the sequence's description), or nothing.
explain() {
  local description=$1 regex reason
  while IFS=$'\t' read -r regex reason; do
    [[ -z "$regex" || "$regex" == \#* ]] && continue
    if grep -Eq -- "$regex" <<<"$description"; then
      echo "$reason"
      return
    fi
  done <"$deviations"
}

differing=()
batch=2000
for ((start = first; start < first + count; start += batch)); do
  n=$((first + count - start < batch ? first + count - start : batch))
  while read -r name; do differing+=("$name"); done < <(render_both batch --random "$start" "$n")
done

seeds=()
for name in "${differing[@]}"; do seeds+=("${name#random_}"); done
((${#seeds[@]} == 0)) || shrink_all "${seeds[@]}"

# Wine paints some pixels from uninitialised memory (rows of narrow elliptic regions), so a
# shrunk sequence is drawn once more: one that no longer differs is reported as such.
declare -A repeated=()
if ((${#seeds[@]})); then
  : >"$out/selections.txt"
  for seed in "${seeds[@]}"; do echo "$seed:${keep[$seed]}" >>"$out/selections.txt"; done
  while read -r name; do repeated[$name]=1; done < <(render_selections confirm "$out/selections.txt")
fi

declare -A causes=()
unexplained=0
: >"$out/new-scenes.txt"
for seed in "${seeds[@]}"; do
  minimal="$seed:${keep[$seed]}"
  description=$("$render" --describe "$minimal" | tr '\n' ';')
  reason=$(explain "$description")
  if [[ -z "${repeated[random_${seed}_${keep[$seed]//:/}]:-}" && -z "$reason" ]]; then
    reason="did not differ when drawn again (Wine's uninitialised region rows)"
  fi
  if [[ -z "$reason" ]]; then
    reason="UNEXPLAINED"
    unexplained=$((unexplained + 1))
    echo "$minimal" >>"$out/new-scenes.txt"
  fi
  causes["$reason"]=$((${causes["$reason"]:-0} + 1))
  echo "seed $seed -> $minimal: $reason"
  echo "    $description"
done
echo "$count sequences (seeds $first to $((first + count - 1))): ${#differing[@]} differ"
for reason in "${!causes[@]}"; do echo "  ${causes[$reason]}  $reason"; done
((unexplained == 0))
