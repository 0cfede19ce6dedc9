#!/usr/bin/env bash
# Usage: check_program_icons.sh BUILD_DIR SOURCE_DIR
# The Windows build takes the programs' icons from packaging/icons/*.ico, checked in because a
# cross build cannot draw them; they must stay what the library draws today (the build draws them
# afresh into BUILD_DIR/programs/icons). `make icons` copies a fresh drawing over them.
set -euo pipefail
build=${1:?usage: check_program_icons.sh BUILD_DIR SOURCE_DIR}
source=${2:?usage: check_program_icons.sh BUILD_DIR SOURCE_DIR}
status=0
for name in gyroscope gyroscope_lab; do
  fresh=$build/programs/icons/$name.ico kept=$source/packaging/icons/$name.ico
  [[ -f "$fresh" && -f "$kept" ]] || { echo "FAIL: $fresh or $kept is missing"; exit 1; }
  frames=$(identify "$kept" | wc -l)
  [[ $frames == $(identify "$fresh" | wc -l) ]] || { echo "FAIL: $name.ico: frame counts differ"; status=1; continue; }
  for ((i = 0; i < frames; i++)); do
    diff=$(compare -metric AE "$kept[$i]" "$fresh[$i]" null: 2>&1 || true)
    [[ "$diff" == 0 ]] || { echo "FAIL: $name.ico frame $i: $diff pixels differ (make icons)"; status=1; }
  done
  ((status)) || echo "$name.ico: $frames frames, as the library draws them"
done
exit "$status"
