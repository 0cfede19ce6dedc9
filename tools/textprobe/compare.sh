#!/bin/sh
# Runs textprobe natively (portable text) and under Wine (real GDI semantics over FreeType),
# with the same arguments, and prints both outputs line by line.
#   tools/textprobe/compare.sh NATIVE_BUILD_DIR WINDOWS_BUILD_DIR [textprobe arguments]
# Wine gets a private prefix and, when DISPLAY is unset, a private Xvfb on :43.
set -eu
native="$1/tools/textprobe/textprobe"
windows="$2/tools/textprobe/textprobe.exe"
shift 2
export WINEPREFIX="${WINEPREFIX:-/tmp/wineprefix-text}" WINEDEBUG=-all
xvfb_pid=""
if [ -z "${DISPLAY:-}" ]; then
    Xvfb :43 -screen 0 1280x1024x24 >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=:43
    sleep 1
fi
"$native" "$@" | sed 's/^/native: /' > /tmp/textprobe-native.$$
wine "$windows" "$@" | tr -d '\r' | sed 's/^/wine:   /' > /tmp/textprobe-wine.$$
paste -d '\n' /tmp/textprobe-native.$$ /tmp/textprobe-wine.$$
rm -f /tmp/textprobe-native.$$ /tmp/textprobe-wine.$$
if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid"; fi
