#!/usr/bin/env bash
# Usage: tool_args_test.sh CHECK-LARGE-FILES-SCRIPT PATH-TOOL... -- HELP-TOOL...
# Each PATH-TOOL (one that takes file names) answers --help with its usage and status 0 and
# refuses any other word starting with '-' with status 2, writing no file either way; each
# HELP-TOOL answers --help the same way. Then the large-file check: it must fail on an unlisted
# 2 MiB file in a scratch repository and pass once the file is listed.
set -uo pipefail
check=$1
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

expect() {  # status tool args...: runs the tool in an empty directory
  local want=$1 tool=$2 status
  shift 2
  rm -rf "$work/run" && mkdir "$work/run"
  (cd "$work/run" && env -u DISPLAY ZG_DISPLAY=headless "$tool" "$@" >"$work/out" 2>"$work/err")
  status=$?
  ((status == want)) || fail "$(basename "$tool") $*: status $status, expected $want"
  [[ -z "$(ls -A "$work/run")" ]] || fail "$(basename "$tool") $*: wrote $(ls -A "$work/run")"
  if ((want == 0)); then
    grep -q '^usage: ' "$work/out" || fail "$(basename "$tool") $*: no usage on standard output"
  else
    grep -q '^usage: ' "$work/err" || fail "$(basename "$tool") $*: no usage on standard error"
  fi
}

help_only=0
for tool in "$@"; do
  [[ "$tool" == -- ]] && { help_only=1; continue; }
  expect 0 "$tool" --help
  ((help_only)) && continue
  expect 0 "$tool" -h
  expect 2 "$tool" --output
  expect 2 "$tool" -o picture.bin
  expect 2 "$tool" picture.bin -x
done

repo="$work/repo"
git init -q "$repo"
head -c $((2 * 1024 * 1024)) /dev/zero >"$repo/big.bin"
echo small >"$repo/small.txt"
git -C "$repo" add big.bin small.txt
"$check" "$repo" >"$work/out" 2>&1 && fail "large-file check passed an unlisted 2 MiB file"
grep -q 'big.bin' "$work/out" || fail "large-file check did not name big.bin: $(cat "$work/out")"
mkdir "$repo/scripts" && echo "big.bin  # test data" >"$repo/scripts/large-files.txt"
"$check" "$repo" >"$work/out" 2>&1 || fail "large-file check failed a listed file: $(cat "$work/out")"

((failures == 0)) || exit 1
echo "tool arguments and large-file check: as expected"
