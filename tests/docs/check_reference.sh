#!/usr/bin/env bash
# Usage: check_reference.sh DOXYFILE
# Builds the reference into a temporary directory and fails on any Doxygen warning (an
# undocumented public name above all), or when an installed header has no page of its own: a
# header without its @file comment would hide its free names from the reference, and from the
# warnings, without a word.
set -uo pipefail
doxyfile=${1:?usage: check_reference.sh DOXYFILE}
command -v doxygen >/dev/null || { echo "doxygen is missing: run scripts/setup-deps.sh" >&2; exit 1; }
out=$(mktemp -d "${TMPDIR:-/tmp}/zg-docs.XXXXXX")
trap 'rm -rf "$out"' EXIT

{ cat "$doxyfile"; echo "OUTPUT_DIRECTORY = $out"; echo "WARN_LOGFILE = $out/warnings.log"; } | doxygen - \
  >"$out/doxygen.log" 2>&1 || { cat "$out/doxygen.log"; echo "FAIL: doxygen did not run"; exit 1; }

status=0
if [[ -s "$out/warnings.log" ]]; then
  echo "FAIL: $(wc -l <"$out/warnings.log") Doxygen warnings:"
  cat "$out/warnings.log"
  status=1
fi
for page in window_8h image_8h input__queues_8h palette_8h win32_8h; do
  [[ -f "$out/html/$page.html" ]] || { echo "FAIL: no reference page $page.html (a header lost its @file)"; status=1; }
done
((status == 0)) && echo "reference complete: no warning, every header has its page"
exit "$status"
