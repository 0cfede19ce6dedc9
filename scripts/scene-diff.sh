#!/usr/bin/env bash
# Differential test of the portable rasteriser against Wine: renders the scene corpus natively
# and, cross-built, under Wine (one session through lib/wine.sh), then compares the two
# renderings. Fails on any difference that tools/scenes/known-deviations.txt does not list.
#
# Usage: scripts/scene-diff.sh BUILD_NATIVE BUILD_WINDOWS [SCENE-NAME-FILTER]
# Needs scene_render and scene_compare built in BUILD_NATIVE and scene_render.exe in
# BUILD_WINDOWS. Diff images (PPM) go to BUILD_NATIVE/scene-diff/.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/lib/wine.sh"

if [[ "${1:-}" == --help || "${1:-}" == -h ]]; then
  echo "usage: $0 BUILD_NATIVE BUILD_WINDOWS [FILTER]"
  exit 0
fi
if (($# < 2)) || [[ "$1" == -* || "$2" == -* ]]; then
  echo "usage: $0 BUILD_NATIVE BUILD_WINDOWS [FILTER]" >&2
  exit 2
fi
native=$(cd "$1" && pwd)
windows=$(cd "$2" && pwd)
filter=${3:-}
out="$native/scene-diff"
render="$native/tools/scenes/scene_render"
compare="$native/tools/scenes/scene_compare"
render_exe="$windows/tools/scenes/scene_render.exe"
for f in "$render" "$compare" "$render_exe"; do
  [[ -f "$f" ]] || { echo "scene-diff: missing $f (build it first)" >&2; exit 2; }
done
rm -rf "$out"
mkdir -p "$out"

wine_open "$windows"
trap wine_close EXIT
ZG_DISPLAY=headless "$render" "$out/native.bin" $filter >/dev/null
wine_run "$render_exe" "$out/wine.bin" $filter >/dev/null
"$compare" "$out/native.bin" "$out/wine.bin" "$out" "$root/tools/scenes/known-deviations.txt"
