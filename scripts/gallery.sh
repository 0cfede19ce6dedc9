#!/usr/bin/env bash
# Usage: gallery.sh update|check EXAMPLES_DIR
# Runs every example headless with its script (examples/gallery/NAME.script, which ends in a
# snapshot NAME.png) from the directory holding the built example_NAME programs.
#   update  copies each snapshot to docs/examples/NAME.png (what `make gallery` does)
#   check   compares each snapshot pixel for pixel with docs/examples/NAME.png; a difference
#           fails and leaves the new picture and a map of the differing pixels beside it
# Exit status: 0 all good, 1 an example failed or differs, 2 bad usage.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
mode=${1:-}
bin_dir=${2:-}
if [[ ! "$mode" =~ ^(update|check)$ || ! -d "$bin_dir" ]]; then
  echo "usage: gallery.sh update|check EXAMPLES_DIR" >&2
  exit 2
fi
bin_dir=$(cd "$bin_dir" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/zg-gallery.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0

fail() { echo "FAIL $*"; failures=$((failures + 1)); }

# The programs listed in examples/CMakeLists.txt, each of which must have a script.
examples=$(sed -nE 's/^set\(ZG_EXAMPLES (.*)\)$/\1/p' "$root/examples/CMakeLists.txt")
[[ -n "$examples" ]] || { echo "no ZG_EXAMPLES list in examples/CMakeLists.txt" >&2; exit 2; }

run_example() {  # name: runs it headless in $work/name, leaves $work/name/name.png
  local name=$1 script="$root/examples/gallery/$1.script" status
  [[ -f "$script" ]] || { fail "$name: no script $script"; return 1; }
  [[ -x "$bin_dir/example_$name" ]] || { fail "$name: $bin_dir/example_$name not built"; return 1; }
  mkdir -p "$work/$name"
  (cd "$work/$name" && ZG_DISPLAY=headless ZG_SCRIPT="$script" timeout 60 "$bin_dir/example_$name" \
     >output.txt 2>&1)
  status=$?
  ((status == 0)) || { fail "$name: exit status $status"; cat "$work/$name/output.txt"; return 1; }
  [[ -s "$work/$name/$name.png" ]] || { fail "$name: the script's snapshot $name.png was not written"; return 1; }
}

check_example() {  # name: the snapshot against the committed picture
  local name=$1 committed="$root/docs/examples/$1.png" differing out="$bin_dir/gallery-diff"
  [[ -f "$committed" ]] || { fail "$name: no committed picture $committed"; return; }
  differing=$(compare -metric AE "$work/$name/$name.png" "$committed" "$work/$name/diff.png" 2>&1)
  if [[ "$differing" == "0" ]]; then
    echo "ok   $name"
    return
  fi
  mkdir -p "$out"
  cp "$work/$name/$name.png" "$out/$name.png"
  [[ -f "$work/$name/diff.png" ]] && cp "$work/$name/diff.png" "$out/$name.diff.png"
  fail "$name: $differing pixels differ from docs/examples/$name.png (see $out)"
}

mkdir -p "$root/docs/examples"
for name in $examples; do
  run_example "$name" || continue
  if [[ "$mode" == update ]]; then
    cp "$work/$name/$name.png" "$root/docs/examples/$name.png"
    echo "wrote docs/examples/$name.png ($(stat -c %s "$root/docs/examples/$name.png") bytes)"
  else
    check_example "$name"
  fi
done
((failures == 0)) || { echo "$failures example(s) failed"; exit 1; }
