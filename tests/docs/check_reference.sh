#!/usr/bin/env bash
# Usage: check_reference.sh DOXYFILE CALL_PICTURES
# Draws the examples' pictures and builds the library's reference into a temporary directory,
# and fails on any Doxygen warning (an undocumented public name, a missing picture or snippet),
# when an installed header has no page of its own (a header without its @file comment would
# hide its free names from the reference, and from the warnings, without a word), or when the
# Win32 subset has pages in it: that reference is the contributors' own.
set -uo pipefail
doxyfile=${1:?usage: check_reference.sh DOXYFILE CALL_PICTURES}
pictures=${2:?usage: check_reference.sh DOXYFILE CALL_PICTURES}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
command -v doxygen >/dev/null || { echo "doxygen is missing: run scripts/setup-deps.sh" >&2; exit 1; }
out=$(mktemp -d "${TMPDIR:-/tmp}/zg-docs.XXXXXX")
trap 'rm -rf "$out"' EXIT

"$here/../../docs/reference/make_pictures.sh" "$pictures" "$out/pictures" >/dev/null || { echo "FAIL: pictures"; exit 1; }
{ cat "$doxyfile"; echo "OUTPUT_DIRECTORY = $out"; echo "WARN_LOGFILE = $out/warnings.log"
  echo "IMAGE_PATH = $out/pictures"; } | doxygen - \
  >"$out/doxygen.log" 2>&1 || { cat "$out/doxygen.log"; echo "FAIL: doxygen did not run"; exit 1; }

status=0
if [[ -s "$out/warnings.log" ]]; then
  echo "FAIL: $(wc -l <"$out/warnings.log") Doxygen warnings:"
  cat "$out/warnings.log"
  status=1
fi
for page in window_8h image_8h input__queues_8h palette_8h examples tutorial; do
  [[ -f "$out/html/$page.html" ]] || { echo "FAIL: no reference page $page.html (a header lost its @file)"; status=1; }
done
for picture in DrawLine DrawString TutorialBounce; do
  grep -q "src=\"$picture.png\"" "$out/html/examples.html" "$out/html/tutorial.html" ||
    { echo "FAIL: the picture $picture.png is not shown"; status=1; }
done
if [[ -f "$out/html/win32_8h.html" ]]; then
  echo "FAIL: the library's reference lists the Win32 subset"
  status=1
fi
((status == 0)) && echo "reference complete: no warning, every header and picture has its page"
exit "$status"
