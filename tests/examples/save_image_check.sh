#!/usr/bin/env bash
# The paint example saves its picture with window::SaveImage (key s) just before its gallery
# script takes a headless snapshot of the same, unchanged window: the two PNG files must hold the
# same pixels, every one of them.
# Usage: save_image_check.sh EXAMPLE_PAINT
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
program=$1
command -v compare >/dev/null || { echo "skip: compare (imagemagick) is not installed"; exit 77; }
work=$(mktemp -d "${TMPDIR:-/tmp}/zg-save-image.XXXXXX")
trap 'rm -rf "$work"' EXIT
(cd "$work" && ZG_DISPLAY=headless ZG_SCRIPT="$root/examples/gallery/paint.script" timeout 60 "$program" >output.txt 2>&1)
status=$?
((status == 0)) || { echo "FAIL: exit status $status"; cat "$work/output.txt"; exit 1; }
for file in painting.png paint.png; do
  [[ -s "$work/$file" ]] || { echo "FAIL: $file was not written"; exit 1; }
done
size=$(identify -format '%wx%h' "$work/painting.png")
differing=$(compare -metric AE "$work/painting.png" "$work/paint.png" null: 2>&1)
[[ "$differing" == "0" && "$size" == "400x300" ]] || { echo "FAIL: $size, $differing pixels differ"; exit 1; }
echo "ok: painting.png ($size) equals the headless snapshot pixel for pixel"
