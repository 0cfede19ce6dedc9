#!/usr/bin/env bash
# Usage: make_pictures.sh CALL_PICTURES OUT_DIR
# Runs every drawing snippet of call_pictures.cpp on the headless display and keeps its window
# as OUT_DIR/NAME.png, the picture the reference shows beside the snippet's code.
set -euo pipefail
program=$1 out=$2
mkdir -p "$out"
out=$(cd "$out" && pwd)
script=$(mktemp)
trap 'rm -f "$script"' EXIT
for name in $("$program" --list); do
  printf '900 snapshot %s/%s.png\n950 close\n' "$out" "$name" >"$script"
  ZG_DISPLAY=headless ZG_SCRIPT="$script" timeout 30 "$program" "$name" >/dev/null
  [[ -s "$out/$name.png" ]] || { echo "make_pictures: no picture for $name" >&2; exit 1; }
done
echo "make_pictures: $(ls "$out" | wc -l) pictures in $out"
