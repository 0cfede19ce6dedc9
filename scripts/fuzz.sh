#!/usr/bin/env bash
# Usage: fuzz.sh [SECONDS]
# Builds the fuzz targets (preset fuzz: clang, libFuzzer, ASan + UBSan) and runs each one listed
# in build/fuzz/fuzz-targets.txt (tests/fuzz/CMakeLists.txt writes it, one zg_fuzz_target per
# program) for SECONDS (default 600, or ZG_FUZZ_SECONDS), starting from its seeds and the corpus
# earlier runs grew in build/fuzz/corpus/NAME. Inputs that fail land in build/fuzz/artifacts/NAME/.
# Prints one line per target with the number of inputs it ran; the closing line counts targets.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
seconds=${1:-${ZG_FUZZ_SECONDS:-600}}
[[ "$seconds" =~ ^[0-9]+$ ]] || { echo "usage: $0 [SECONDS]" >&2; exit 2; }
mkdir -p build
cmake --preset fuzz -DZG_WERROR=ON >build/fuzz.configure.log 2>&1 || { cat build/fuzz.configure.log; exit 1; }
cmake --build --preset fuzz --target fuzz_all -j"${JOBS:-2}" || exit 1

passed=0
failed=0
while read -r name program seeds; do
  [[ -n "$name" ]] || continue
  corpus=build/fuzz/corpus/$name artifacts=build/fuzz/artifacts/$name log=build/fuzz/$name.log
  mkdir -p "$corpus" "$artifacts"
  "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "$corpus" "$seeds" >"$log" 2>&1
  status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  if ((status == 0)); then
    passed=$((passed + 1))
    echo "fuzz $name: ${runs:-?} inputs in $seconds s, nothing found"
  else
    failed=$((failed + 1))
    echo "fuzz $name: FAILED after ${runs:-?} inputs (status $status); log $log, inputs in $artifacts"
    grep -E 'ERROR|SUMMARY|==[0-9]+==' "$log" | head -20
  fi
done <build/fuzz/fuzz-targets.txt
echo "fuzz: $passed passed, $failed failed"
((failed == 0))
