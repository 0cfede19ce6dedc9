#!/usr/bin/env bash
# The print dialog of the SDL display, for real: the print probe in an SDL window on a private
# Xvfb, printing to a private CUPS server. The dialog is an SDL message box (found with
# `xwininfo -root -tree`: `xdotool search --name` misses it); Return prints to the default queue
# and the job's PDF arrives, Escape cancels and nothing is printed.
# Usage: print_sdl_e2e.sh PRINT_PROBE. Exits 77 (skipped) only when a tool is missing.
set -u
exe=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
for tool in Xvfb xdotool xwininfo timeout /usr/sbin/cupsd lpstat pdfinfo; do
    command -v "$tool" >/dev/null || { echo "skip: $tool is not installed"; exit 77; }
done
source "$here/../../scripts/lib/xvfb.sh"

work=$(mktemp -d)
chmod 755 "$work"
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill -KILL $(pgrep -P "$app_pid") "$app_pid" 2>/dev/null
    "$here/private_cupsd.sh" stop "$work/cups"
    xvfb_stop
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; echo "--- stdout:"; cat "$work/out.txt" 2>/dev/null; echo "--- stderr:"; cat "$work/err.txt" 2>/dev/null; exit 1; }

mkdir -m 755 "$work/cups"
"$here/private_cupsd.sh" start "$work/cups" >/dev/null 2>&1 || fail "private cupsd did not start"
export CUPS_SERVER="$work/cups/cups.sock"
xvfb_start || fail "Xvfb did not start"

# The id of the dialog's window, once it is mapped: up to 30 s.
find_dialog() {
    local i id
    for ((i = 0; i < 300; i++)); do
        id=$(xwininfo -root -tree 2>/dev/null | awk '/"Print"/ {print $1; exit}')
        [ -n "$id" ] && xwininfo -id "$id" 2>/dev/null | grep -q "IsViewable" && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

# Starts the probe, answers its dialog with KEY and waits for it to end.
print_with() {
    local key=$1
    ZG_DISPLAY=sdl ZG_PRINT_DIR="$work" timeout -s KILL 60 "$exe" 1000 700 buffered >"$work/out.txt" 2>"$work/err.txt" &
    app_pid=$!
    local dialog
    dialog=$(find_dialog) || fail "no print dialog appeared"
    xdotool windowfocus --sync "$dialog" 2>/dev/null || xdotool windowfocus "$dialog"
    xdotool key --window "$dialog" "$key"
    wait "$app_pid" || fail "the probe ended with status $?"
    app_pid=""
}

print_with Escape
[ -s "$work/out.txt" ] && fail "cancelling wrote to the console"
[ -e "$work/cups/out/job.pdf" ] && fail "cancelling printed"
ls "$work"/*.pdf >/dev/null 2>&1 && fail "cancelling wrote a PDF file"

print_with Return
for ((i = 0; i < 100; i++)); do
    [ -s "$work/cups/out/job.pdf" ] && [ -z "$(lpstat -o)" ] && break
    sleep 0.1
done
[ -s "$work/cups/out/job.pdf" ] || fail "Return printed nothing on the default queue"
[ -s "$work/out.txt" ] && fail "printing reported an error"
pdfinfo "$work/cups/out/job.pdf" | grep -q "^Page size: *595.2 x 841.92" || fail "the page is not the queue's A4"
echo "PASS: Escape cancels; Return prints an A4 page on the default queue"
