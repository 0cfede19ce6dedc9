#!/usr/bin/env bash
# A program whose last X request names a window that is gone (on a private Xvfb display) must
# end with status 0: Xlib's default error handler would end it with status 1 and
# "X Error of failed request: BadWindow", as SDL's wakeup event sometimes made the end of a
# program do. Usage: gone_window_e2e.sh GONE_WINDOW_PROBE. Exits 77 (skipped) without Xvfb.
set -u
probe=$1
command -v Xvfb >/dev/null || { echo "skip: Xvfb is not installed"; exit 77; }
source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/lib/xvfb.sh"
err=$(mktemp)
cleanup() {
    xvfb_stop
    rm -f "$err"
}
trap cleanup EXIT

xvfb_start || { echo "FAIL: Xvfb did not start"; exit 1; }
ZG_DISPLAY=sdl timeout -s KILL 60 "$probe" 2>"$err"
status=$?
if ((status != 0)); then
    echo "FAIL: status $status"
    cat "$err"
    exit 1
fi
echo "PASS: status 0 with an X request to a gone window pending at exit"
