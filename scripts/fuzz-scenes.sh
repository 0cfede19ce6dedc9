#!/usr/bin/env bash
# Random differential scenes: draws COUNT seeded random GDI call sequences natively and, cross-
# built, under Wine on a private Xvfb display, and compares them. Each differing seed is shrunk
# (calls removed one at a time while the difference stays) to its smallest differing sequence,
# which is then explained by a line of tools/scenes/random-deviations.txt or reported as new.
# Fails when a difference has no explanation; the selections of such sequences go to
# BUILD_NATIVE/fuzz-scenes/new-scenes.txt, as lines for tools/scenes/random_fixed.inc (the
# random sequences the scene corpus draws as fixed scenes), to be added once their cause is fixed.
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

# A private Xvfb on the first free display from :100 up, ready when xvfb_start returns.
source "$root/scripts/lib/xvfb.sh"
xvfb_start
export WINEPREFIX="$windows/wineprefix-fuzz" WINEDEBUG=-all WINEDLLOVERRIDES="winedbg.exe=d"
cleanup() {
  wineserver -k >/dev/null 2>&1 || true  # the server of this script's own prefix
  xvfb_stop
}
trap cleanup EXIT INT TERM
wineserver -p >/dev/null 2>&1 || true  # one server for every run below

# draw_under_wine FILE BIN: draws the selections of FILE under Wine into BIN, resuming after any
# selection Wine cannot finish: one that crashes Wine or makes no progress for $stall seconds.
# Wine corrupts its own heap on some wide inside-frame arcs and often dies a few sequences
# later, so the sequence it died in is first tried again at the start of a fresh process; only
# one that fails there too goes to $out/unfinished.txt, missing from BIN. Without this a single
# one cost the whole batch.
stall=30
draw_under_wine() {
  local file=$1 bin=$2 rest="$out/rest.txt" done_count
  cp "$file" "$rest"
  : >"$bin"
  while [[ -s "$rest" ]]; do
    if watch_wine "$rest" "$out/piece.bin" "$out/piece.log"; then
      cat "$out/piece.bin" >>"$bin"
      break
    fi
    # Only the scenes reported drawn are whole: cut the piece there and go on from the next.
    done_count=$(grep -c '^drawn ' "$out/piece.log" || true)
    truncate -s "$(tr -d '\r' <"$out/piece.log" | awk '$1 == "drawn" {n = $3} END {print n + 0}')" "$out/piece.bin"
    cat "$out/piece.bin" >>"$bin"
    if ((done_count == 0)); then
      sed -n 1p "$rest" >>"$out/unfinished.txt"
      done_count=1
    fi
    tail -n +"$((done_count + 1))" "$rest" >"$rest.next"
    mv "$rest.next" "$rest"
  done
  rm -f "$rest" "$out/piece.bin" "$out/piece.log"
}

# watch_wine FILE BIN LOG: one Wine renderer over FILE; fails when it fails or stalls.
watch_wine() {
  wine "$render_exe" "$2" --selections "$1" >"$3" 2>/dev/null &
  local pid=$! seen=0 idle=0 count
  while kill -0 "$pid" 2>/dev/null; do
    sleep 1
    count=$(wc -l <"$3")
    if ((count != seen)); then
      seen=$count idle=0
    elif ((++idle >= (seen ? stall : 4 * stall))); then  # the first scene waits for Wine to start
      kill "$pid" 2>/dev/null || true  # the Windows program runs as this very process
    fi
  done
  wait "$pid" || return 1
  grep -q ' scenes'$'\r''*$' "$3"
}

# render_both NAME FILE: both renderings of the selections of FILE, compared; prints the names
# of the differing scenes (those Wine could not finish are not among them).
render_both() {
  local name=$1 file=$2
  ZG_DISPLAY=headless "$render" "$out/$name.native.bin" --selections "$file" >/dev/null || echo "$file" >"$out/native-failed"
  draw_under_wine "$file" "$out/$name.wine.bin"
  mkdir -p "$out/$name.diff"
  "$compare" "$out/$name.native.bin" "$out/$name.wine.bin" "$out/$name.diff" | awk '$1 == "DIFF" {print $2}' || true
  rm -f "$out/$name.native.bin" "$out/$name.wine.bin"
}

# render_selections NAME FILE: render_both over the selections of FILE, a bounded number at a time (a
# long run shrinks thousands of sequences at once, and one file of them all would not fit).
render_selections() {
  local name=$1 file=$2 part
  rm -f "$out/$name".part.*
  split -l 2000 "$file" "$out/$name.part."
  for part in "$out/$name".part.*; do render_both "$name" "$part"; done
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
: >"$out/unfinished.txt"
for ((start = first; start < first + count; start += batch)); do
  n=$((first + count - start < batch ? first + count - start : batch))
  seq "$start" $((start + n - 1)) >"$out/batch.txt"
  while read -r name; do differing+=("$name"); done < <(render_both batch "$out/batch.txt")
  [[ ! -e "$out/native-failed" ]] || { echo "fuzz-scenes: the native renderer failed on $(cat "$out/native-failed")" >&2; exit 3; }
done
mv "$out/unfinished.txt" "$out/unfinished-seeds.txt"
: >"$out/unfinished.txt"

seeds=()
for name in "${differing[@]}"; do seeds+=("${name#random_}"); done
((${#seeds[@]} == 0)) || shrink_all "${seeds[@]}"

# Each shrunk sequence is drawn again: natively in order and in reverse order, and under Wine
# in order, in reverse order and from the middle of the list, one process each. Wine paints
# some shapes from memory it never set (rows of elliptic regions), so its picture of a
# sequence can change with what the same process drew before; when its pictures differ, or
# none differs from the native one any more, that is the cause, shown rather than guessed. A
# native picture that changes is a fault here.
declare -A verdict=()
confirm_all() {
  local part name
  rm -f "$out"/confirm.part.*
  split -l 2000 "$1" "$out/confirm.part."
  for part in "$out"/confirm.part.*; do
    tac "$part" >"$part.reversed"
    local half=$((($(wc -l <"$part") + 1) / 2))
    { tail -n +"$((half + 1))" "$part"; head -n "$half" "$part"; } >"$part.rotated"
    ZG_DISPLAY=headless "$render" "$out/forward.native.bin" --selections "$part" >/dev/null
    ZG_DISPLAY=headless "$render" "$out/reverse.native.bin" --selections "$part.reversed" >/dev/null
    draw_under_wine "$part" "$out/forward.wine.bin"
    draw_under_wine "$part.reversed" "$out/reverse.wine.bin"
    draw_under_wine "$part.rotated" "$out/rotated.wine.bin"
    for name in $(differing_names native forward.native.bin reverse.native.bin); do verdict[$name]=native; done
    for name in $(differing_names confirm.wine forward.wine.bin reverse.wine.bin) \
      $(differing_names confirm.wine forward.wine.bin rotated.wine.bin); do
      verdict[$name]=${verdict[$name]:-history}
    done
    for name in $(differing_names confirm forward.native.bin forward.wine.bin) \
      $(differing_names confirm reverse.native.bin reverse.wine.bin); do
      verdict[$name]=${verdict[$name]:-differs}
    done
  done
  rm -f "$out"/confirm.part.* "$out"/{forward,reverse}.{native,wine}.bin "$out/rotated.wine.bin"
}
differing_names() {  # DIFF-DIR A B
  mkdir -p "$out/$1.diff"
  "$compare" "$out/$2" "$out/$3" "$out/$1.diff" | awk '$1 == "DIFF" {print $2}' || true
}
if ((${#seeds[@]})); then
  : >"$out/selections.txt"
  for seed in "${seeds[@]}"; do echo "$seed:${keep[$seed]}" >>"$out/selections.txt"; done
  confirm_all "$out/selections.txt"
fi

declare -A causes=()
unexplained=0
: >"$out/new-scenes.txt"
report() {  # SEED SELECTION REASON DESCRIPTION
  causes["$3"]=$((${causes["$3"]:-0} + 1))
  echo "seed $1 -> $2: $3"
  echo "    $4"
}
for seed in "${seeds[@]}"; do
  minimal="$seed:${keep[$seed]}"
  description=$("$render" --describe "$minimal" | tr '\n' ';')
  case "${verdict[random_${seed}_${keep[$seed]}]:-same}" in
  native) reason="UNEXPLAINED: the native picture changed between two drawings" ;;
  history | same) reason="Wine's picture changes with what the same process drew before (memory it never set)" ;;
  *) reason=$(explain "$description") ;;
  esac
  grep -qxF "$minimal" "$out/unfinished.txt" && reason="Wine crashed or stalled drawing it"
  if [[ -z "$reason" || "$reason" == UNEXPLAINED* ]]; then
    reason=${reason:-UNEXPLAINED}
    unexplained=$((unexplained + 1))
    echo "\"$minimal\",  // $description" >>"$out/new-scenes.txt"
  fi
  report "$seed" "$minimal" "$reason" "$description"
done
while read -r seed; do
  report "$seed" "$seed" "Wine crashed or stalled drawing it" "$("$render" --describe "$seed" | tr '\n' ';')"
done <"$out/unfinished-seeds.txt"
unfinished=$(wc -l <"$out/unfinished-seeds.txt")
echo "$count sequences (seeds $first to $((first + count - 1))): $((${#differing[@]} + unfinished)) differ" \
  "($unfinished of them not finished under Wine)"
for reason in "${!causes[@]}"; do echo "  ${causes[$reason]}  $reason"; done
if ((unexplained)); then
  echo "fuzz-scenes: $unexplained sequences differ for no known reason; once each cause is fixed, add" \
    "their lines from $out/new-scenes.txt to tools/scenes/random_fixed.inc" >&2
fi
((unexplained == 0))
