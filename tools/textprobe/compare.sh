#!/usr/bin/env bash
# Runs textprobe natively (portable text) and under Wine (GDI over FreeType) and compares.
#   tools/textprobe/compare.sh NATIVE_BUILD_DIR WINDOWS_BUILD_DIR [textprobe arguments]
#       prints both outputs line by line (metrics and extents)
#   tools/textprobe/compare.sh NATIVE_BUILD_DIR WINDOWS_BUILD_DIR pictures
#       draws the text pictures both ways into NATIVE_BUILD_DIR/textpics/{native,wine} and
#       prints the share of identical pixels per face and size
# Wine runs in a private session (own Xvfb and prefix) under NATIVE_BUILD_DIR/wine-textprobe.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
scripts="$here/../../scripts"
(($# >= 2)) || { echo "usage: $0 NATIVE_BUILD_DIR WINDOWS_BUILD_DIR [pictures | textprobe arguments]" >&2; exit 2; }
native_dir=$(cd "$1" && pwd)
native="$native_dir/tools/textprobe/textprobe"
windows="$(cd "$2" && pwd)/tools/textprobe/textprobe.exe"
shift 2
export ZG_WINE_SESSION="$native_dir/wine-textprobe"
"$scripts/wine-session.sh" start "$ZG_WINE_SESSION" >/dev/null
trap '"$scripts/wine-session.sh" stop "$ZG_WINE_SESSION" >/dev/null' EXIT

if [[ "${1:-}" == pictures ]]; then
  out="$native_dir/textpics"
  mkdir -p "$out/native" "$out/wine"
  "$native" pictures "$out/native"
  "$scripts/run-under-wine.sh" "$windows" pictures "$out/wine"
  "$native" compare "$out/native" "$out/wine"
  exit
fi
tmp=$(mktemp -d)
"$native" "$@" | sed 's/^/native: /' >"$tmp/native"
"$scripts/run-under-wine.sh" "$windows" "$@" | tr -d '\r' | sed 's/^/wine:   /' >"$tmp/wine"
paste -d '\n' "$tmp/native" "$tmp/wine"
rm -rf "$tmp"
