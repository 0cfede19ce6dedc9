#!/usr/bin/env bash
# The text probe's pictures drawn by the portable text (native build) and by GDI under Wine
# (Windows build), compared pixel by pixel against the known-deviation list.
# Usage: text_pictures.sh NATIVE_TEXTPROBE WINDOWS_TEXTPROBE DEVIATIONS OUT_DIR
# Runs under the Wine session of ZG_WINE_SESSION (the test fixture). Exits 77 (skipped) when
# the native build is missing.
set -uo pipefail
native=$1 windows=$2 deviations=$3 out=$4
scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../scripts" && pwd)
[[ -x "$native" ]] || { echo "skip: no native textprobe at $native"; exit 77; }
rm -rf "$out"
mkdir -p "$out/native" "$out/wine"
"$native" pictures "$out/native" || { echo "FAIL: native pictures"; exit 1; }
"$scripts/run-under-wine.sh" "$windows" pictures "$(cd "$out/wine" && pwd)" || { echo "FAIL: Wine pictures"; exit 1; }
"$native" compare "$out/native" "$out/wine" "$deviations" | tail -4
exit "${PIPESTATUS[0]}"
