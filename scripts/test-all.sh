#!/usr/bin/env bash
# Usage: test-all.sh [STAGE...]   stages: tree native asan tsan fuzz windows scene-diff web
# (default: all, in that order)
# Builds and tests every configuration `make test` promises and fails if anything failed:
#   tree        no tracked file over 1 MiB unless scripts/large-files.txt lists it, and every C++
#               file laid out as .clang-format says (scripts/format-check.sh)
#   native      the portable build, ctest (headless tests and the Xvfb end-to-end tests)
#   asan        the same under AddressSanitizer + UndefinedBehaviorSanitizer, leaks included
#   tsan        the row split and raster tests under ThreadSanitizer (only what they need is built)
#   fuzz        every fuzz target (scripts/fuzz.sh) for ZG_FUZZ_SECONDS each, default 60
#   windows     the mingw-w64 cross build, its ctest under Wine on a private Xvfb
#   scene-diff  the rasteriser's differential test, native against Wine, on the fixed corpus and on
#               500 random call sequences (scripts/fuzz-scenes.sh) (when the script exists
#               and both builds were made in this run; skipped otherwise)
#   web         the WebAssembly build as a site, its pages in headless Chromium against the native
#               headless snapshots of the same sessions, pixel for pixel (scripts/test-web.sh)
# A failing stage does not stop the later ones, so one run shows every failure; the summary's
# last line counts tests over all stages, a stage that did not build counting as one failure.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
jobs=${JOBS:-2}

declare -A stage_result stage_seconds built
export MAKEFLAGS="${MAKEFLAGS:-} --no-print-directory"
total_passed=0
total_failed=0

note() { printf '\n==== %s\n' "$*"; }

configure_and_build() {  # preset [target...]: every target unless some are named
  local preset=$1 targets=()
  shift
  (($#)) && targets=(--target "$@")
  cmake --preset "$preset" -DZG_WERROR=ON >"build/$preset.configure.log" 2>&1 \
    || { cat "build/$preset.configure.log"; return 1; }
  cmake --build --preset "$preset" -j"$jobs" "${targets[@]}" || return 1
  built[$preset]=yes
}

count_ctest() {  # log: adds the closing line's figures to the totals
  local line passed failed all
  line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -1)
  [[ -n "$line" ]] || return 1
  failed=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  all=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
  passed=$((all - failed))
  total_passed=$((total_passed + passed))
  total_failed=$((total_failed + failed))
}

run_ctest() {  # preset [ctest option...]: ctest in the preset's build directory, output in ctest.log
  local log="build/$1/ctest.log" status dir=build/$1
  shift
  ctest --test-dir "$dir" --output-on-failure --no-tests=error -j"$jobs" "$@" 2>&1 | tee "$log"
  status=${PIPESTATUS[0]}
  count_ctest "$log" || total_failed=$((total_failed + 1))
  return "$status"
}

stage_tree() {
  local status=0
  scripts/check-large-files.sh || status=1
  scripts/format-check.sh || status=1
  if ((status == 0)); then
    total_passed=$((total_passed + 1))
    return 0
  fi
  total_failed=$((total_failed + 1))
  return 1
}

stage_fuzz() {  # one test per fuzz target, as scripts/fuzz.sh counts them
  local log=build/fuzz.log status line
  scripts/fuzz.sh "${ZG_FUZZ_SECONDS:-60}" 2>&1 | tee "$log"
  status=${PIPESTATUS[0]}
  line=$(grep -E '^fuzz: [0-9]+ passed, [0-9]+ failed$' "$log" | tail -1)
  if [[ -z "$line" ]]; then
    total_failed=$((total_failed + 1))
    return 1
  fi
  total_passed=$((total_passed + $(sed -E 's/^fuzz: ([0-9]+) passed.*/\1/' <<<"$line")))
  total_failed=$((total_failed + $(sed -E 's/.* ([0-9]+) failed$/\1/' <<<"$line")))
  return "$status"
}

stage_native() {
  configure_and_build native || { total_failed=$((total_failed + 1)); return 1; }
  run_ctest native
}

# The sanitizer options, the leak suppressions and SDL's settings belong to the tests' own
# definitions (cmake/test_environment.cmake), so ctest in build/asan runs them the same way.
stage_asan() {
  configure_and_build asan || { total_failed=$((total_failed + 1)); return 1; }
  run_ctest asan
}

stage_tsan() {
  configure_and_build tsan raster_tests || { total_failed=$((total_failed + 1)); return 1; }
  run_ctest tsan -R '^raster_tests$'
}

stage_windows() {
  configure_and_build windows || { total_failed=$((total_failed + 1)); return 1; }
  run_ctest windows
}

stage_scene-diff() {
  if [[ ! -f scripts/scene-diff.sh ]]; then
    echo "scripts/scene-diff.sh not present: skipped"
    return 3
  fi
  if [[ -z "${built[native]:-}" || -z "${built[windows]:-}" ]]; then
    echo "needs the native and windows builds of this run: skipped"
    return 3
  fi
  # The fixed corpus, then a bounded batch of random call sequences (about half a minute).
  if bash scripts/scene-diff.sh build/native build/windows && bash scripts/fuzz-scenes.sh build/native build/windows 500; then
    total_passed=$((total_passed + 1))
    return 0
  fi
  total_failed=$((total_failed + 1))
  return 1
}

stage_web() {  # the counts of scripts/test-web.sh's closing line
  local log=build/web.log status line
  scripts/test-web.sh 2>&1 | tee "$log"
  status=${PIPESTATUS[0]}
  line=$(grep -E '^web: [0-9]+ passed, [0-9]+ failed$' "$log" | tail -1)
  if [[ -z "$line" ]]; then
    total_failed=$((total_failed + 1))
    return 1
  fi
  total_passed=$((total_passed + $(sed -E 's/^web: ([0-9]+) passed.*/\1/' <<<"$line")))
  total_failed=$((total_failed + $(sed -E 's/.* ([0-9]+) failed$/\1/' <<<"$line")))
  return "$status"
}

stages=("$@")
((${#stages[@]})) || stages=(tree native asan tsan fuzz windows scene-diff web)
mkdir -p build
overall=0
for stage in "${stages[@]}"; do
  if ! declare -F "stage_$stage" >/dev/null; then
    echo "test-all: unknown stage '$stage' (tree native asan tsan fuzz windows scene-diff web)" >&2
    exit 2
  fi
  note "$stage"
  start=$SECONDS
  "stage_$stage"
  case $? in
    0) stage_result[$stage]=passed ;;
    3) stage_result[$stage]=skipped ;;
    *) stage_result[$stage]=failed; overall=1 ;;
  esac
  stage_seconds[$stage]=$((SECONDS - start))
done

note summary
for stage in "${stages[@]}"; do
  printf '  %-11s %-7s %5d s\n' "$stage" "${stage_result[$stage]}" "${stage_seconds[$stage]}"
done
echo "tests: $total_passed passed, $total_failed failed"
exit "$overall"
