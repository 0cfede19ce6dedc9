#!/usr/bin/env bash
# Usage: make-icons.sh PROGRAM_ICON_EXECUTABLE OUTPUT_DIR
# Draws the icons of gyroscope and gyroscope_lab with the library (tools/icon/program_icon) on the
# headless display, one drawing per size (a window is at least about 110 pixels wide, so the
# picture is cut to the size asked for), and writes
#   OUTPUT_DIR/hicolor/SIZExSIZE/apps/NAME.png   for the sizes of a desktop's icon theme
#   OUTPUT_DIR/NAME.ico                           16 to 256 pixels, for the Windows resources
# The key colour of the corners becomes transparent. Needs ImageMagick's convert.
set -euo pipefail
tool=${1:?usage: make-icons.sh PROGRAM_ICON_EXECUTABLE OUTPUT_DIR}
out=${2:?usage: make-icons.sh PROGRAM_ICON_EXECUTABLE OUTPUT_DIR}
[[ -x "$tool" ]] || { echo "make-icons: no executable at $tool" >&2; exit 2; }
mkdir -p "$out"
out=$(cd "$out" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

theme_sizes=(16 24 32 48 64 128 256)
ico_sizes=(16 24 32 48 256)

draw() {  # which size png: the icon as the library draws it, corners transparent
  printf '10 snapshot %s\n20 click left 1 1\n' "$work/shot.png" >"$work/script"
  ZG_DISPLAY=headless ZG_SCRIPT="$work/script" timeout 30 "$tool" "$1" "$2" >/dev/null
  convert "$work/shot.png" -crop "${2}x${2}+0+0" +repage -transparent '#FF00FF' "PNG32:$3"
}

for which in gyroscope lab; do
  name=$([[ $which == lab ]] && echo gyroscope_lab || echo gyroscope)
  frames=()
  for size in "${theme_sizes[@]}"; do
    dir=$out/hicolor/${size}x${size}/apps
    mkdir -p "$dir"
    draw "$which" "$size" "$dir/$name.png"
  done
  for size in "${ico_sizes[@]}"; do
    frames+=("$out/hicolor/${size}x${size}/apps/$name.png")
  done
  convert "${frames[@]}" "$out/$name.ico"
done
touch "$out/stamp"
