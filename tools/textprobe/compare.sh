#!/usr/bin/env bash
# Runs textprobe natively (portable text) and under Wine (real GDI semantics over FreeType),
# with the same arguments, and prints both outputs line by line.
#   tools/textprobe/compare.sh NATIVE_BUILD_DIR WINDOWS_BUILD_DIR [textprobe arguments]
# Wine runs in one session through scripts/lib/wine.sh (private Xvfb and prefix).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$root/scripts/lib/wine.sh"
if [[ "${1:-}" == --help || "${1:-}" == -h ]]; then
  echo "usage: $0 NATIVE_BUILD_DIR WINDOWS_BUILD_DIR [textprobe arguments]"
  exit 0
fi
if (($# < 2)) || [[ "$1" == -* || "$2" == -* ]]; then
  echo "usage: $0 NATIVE_BUILD_DIR WINDOWS_BUILD_DIR [textprobe arguments]" >&2
  exit 2
fi
native="$1/tools/textprobe/textprobe"
windows_build=$(cd "$2" && pwd)
shift 2
work=$(mktemp -d)
wine_open "$windows_build"
trap 'wine_close; rm -rf "$work"' EXIT
ZG_DISPLAY=headless "$native" "$@" | sed 's/^/native: /' >"$work/native"
wine_run "$windows_build/tools/textprobe/textprobe.exe" "$@" | sed 's/^/wine:   /' >"$work/wine"
paste -d '\n' "$work/native" "$work/wine"
