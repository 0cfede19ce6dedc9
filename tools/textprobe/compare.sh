#!/usr/bin/env bash
# Runs textprobe natively (portable text) and under Wine (GDI over FreeType) and compares.
#   tools/textprobe/compare.sh NATIVE_BUILD_DIR WINDOWS_BUILD_DIR [textprobe arguments]
#       prints both outputs line by line (metrics and extents)
#   tools/textprobe/compare.sh NATIVE_BUILD_DIR WINDOWS_BUILD_DIR pictures
#       draws the text pictures both ways into NATIVE_BUILD_DIR/textpics/{native,wine} and
#       prints the share of identical pixels per face and size
# Wine runs in one session through scripts/lib/wine.sh (private Xvfb and prefix).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$root/scripts/lib/wine.sh"
usage="usage: $0 NATIVE_BUILD_DIR WINDOWS_BUILD_DIR [pictures | textprobe arguments]"
if [[ "${1:-}" == --help || "${1:-}" == -h ]]; then
  echo "$usage"
  exit 0
fi
if (($# < 2)) || [[ "$1" == -* || "$2" == -* ]]; then
  echo "$usage" >&2
  exit 2
fi
native_dir=$(cd "$1" && pwd)
native="$native_dir/tools/textprobe/textprobe"
windows_build=$(cd "$2" && pwd)
windows="$windows_build/tools/textprobe/textprobe.exe"
shift 2
work=$(mktemp -d)
wine_open "$windows_build"
trap 'wine_close; rm -rf "$work"' EXIT

if [[ "${1:-}" == pictures ]]; then
  out="$native_dir/textpics"
  mkdir -p "$out/native" "$out/wine"
  ZG_DISPLAY=headless "$native" pictures "$out/native"
  wine_run "$windows" pictures "$out/wine"
  "$native" compare "$out/native" "$out/wine"
  exit
fi
ZG_DISPLAY=headless "$native" "$@" | sed 's/^/native: /' >"$work/native"
wine_run "$windows" "$@" | sed 's/^/wine:   /' >"$work/wine"
paste -d '\n' "$work/native" "$work/wine"
