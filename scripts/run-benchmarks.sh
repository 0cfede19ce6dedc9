#!/usr/bin/env bash
# Builds the native benchmarks (one program per bench/*.cpp) in build/native and runs each on
# the headless display. Extra arguments go to every program, e.g. --benchmark_filter=SetPen.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

names=()
for src in bench/*.cpp; do
  [[ -e "$src" ]] && names+=("$(basename "$src" .cpp)")
done
((${#names[@]})) || { echo "no benchmarks in bench/"; exit 0; }

cmake --preset native -DZG_WERROR=ON >/dev/null
cmake --build --preset native -j"${JOBS:-2}" --target "${names[@]}"
for name in "${names[@]}"; do
  echo "==== $name"
  ZG_DISPLAY=headless "build/native/bench/$name" "$@"
done
