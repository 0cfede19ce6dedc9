#!/usr/bin/env bash
# Usage: measure-print.sh [BUILD_DIR]   (default build/native)
# Figures of printing a 1000 x 700 picture on A4 at 600 dpi, with the print probe on the headless
# display (the script answers the dialog):
#  - the PDF's size, for the probe's picture and for a frame of the gyroscope demo (P key);
#  - the peak resident size added by printing: a run that prints minus a run that cancels the
#    dialog, both from /usr/bin/time's maximum resident set size;
#  - the time from the dialog's answer to the job accepted by CUPS: the wall time of a run that
#    prints to a private CUPS server minus that of a run that cancels (they differ only in
#    StartDoc ... DeleteDC), median of RUNS (default 7) runs each.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build/native}
probe=$build/tests/print/print_probe
demo=$build/tools/demo/gyroscope_demo
runs=${RUNS:-7}
[[ -x "$probe" && -x /usr/bin/time ]] || { echo "needs $probe and /usr/bin/time" >&2; exit 2; }

work=$(mktemp -d)
chmod 755 "$work"
cleanup() { "$root/tests/print/private_cupsd.sh" stop "$work/cups"; rm -rf "$work"; }
trap cleanup EXIT
mkdir -m 755 "$work/cups"
"$root/tests/print/private_cupsd.sh" start "$work/cups" >/dev/null 2>&1 || { echo "cupsd did not start" >&2; exit 1; }
export CUPS_SERVER="$work/cups/cups.sock" ZG_DISPLAY=headless ZG_PRINT_DIR="$work"

run_probe() {  # answer: prints "milliseconds kilobytes" of one run
  local start end
  printf '0 %s\n' "$1" >"$work/script.txt"
  start=$(date +%s%N)
  ZG_SCRIPT="$work/script.txt" /usr/bin/time -f '%M' -o "$work/time.txt" "$probe" 1000 700 buffered \
    >/dev/null 2>&1
  end=$(date +%s%N)
  echo "$(((end - start) / 1000000)) $(cat "$work/time.txt")"
}

median() { sort -g | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }

rm -f "$work"/print-*.pdf
run_probe "choose PDF file" >/dev/null
echo "PDF of the probe's picture (A4, 600 dpi): $(stat -c %s "$work"/print-1.pdf) bytes"
if [[ -x "$demo" ]]; then
  printf '300 key p\n300 choose PDF file\n' >"$work/demo.txt"
  mkdir -p "$work/demo"
  ZG_SCRIPT="$work/demo.txt" ZG_PRINT_DIR="$work/demo" "$demo" 10 >/dev/null 2>&1
  echo "PDF of a gyroscope demo frame:        $(stat -c %s "$work"/demo/print-1.pdf 2>/dev/null || echo '?') bytes"
fi

for answer in cancel "choose PDF file" "choose zg-test"; do
  : >"$work/seconds" ; : >"$work/kb"
  for ((i = 0; i < runs; i++)); do
    read -r ms kb < <(run_probe "$answer")
    echo "$ms" >>"$work/seconds"; echo "$kb" >>"$work/kb"
  done
  printf '%-18s wall %s ms, peak RSS %s KiB (medians of %d)\n' "$answer:" "$(median <"$work/seconds")" \
    "$(median <"$work/kb")" "$runs"
done
