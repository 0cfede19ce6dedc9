#!/usr/bin/env bash
# The Windows build of the print probe under Wine on a private Xvfb, with CUPS_SERVER at a
# private CUPS server, so Wine's print dialog lists that server's queues. Escape cancels the
# dialog: nothing is printed and nothing written. Return prints through StartDoc ... EndPage on
# Wine's printer DC; what EndDoc then does is Wine's (see EXPECTED_END below).
# Usage: print_wine_e2e.sh PRINT_PROBE_EXE PREFIX_DIR
# PREFIX_DIR holds this test's own Wine prefix, made on the first run and kept for later ones.
# Exits 77 (skipped) only when a tool is missing.
set -u
exe=$1
prefix=$2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
for tool in wine wineserver Xvfb xdotool timeout /usr/sbin/cupsd lpstat; do
    command -v "$tool" >/dev/null || { echo "skip: $tool is not installed"; exit 77; }
done
[ -f "$exe" ] || { echo "FAIL: no executable at $exe"; exit 1; }
source "$here/../../scripts/lib/xvfb.sh"

work=$(mktemp -d)
chmod 755 "$work"
app_pid=""
mkdir -p "$prefix"
export WINEPREFIX=$(cd "$prefix" && pwd) WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
    wineserver -k 2>/dev/null
    [ -n "$app_pid" ] && kill -KILL "$app_pid" 2>/dev/null
    "$here/private_cupsd.sh" stop "$work/cups"
    xvfb_stop
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; echo "--- stdout:"; cat "$work/out.txt" 2>/dev/null; echo "--- stderr:"; tail -20 "$work/err.txt" 2>/dev/null; exit 1; }

mkdir -m 755 "$work/cups"
"$here/private_cupsd.sh" start "$work/cups" >/dev/null 2>&1 || fail "private cupsd did not start"
export CUPS_SERVER="$work/cups/cups.sock"
xvfb_start || fail "Xvfb did not start"

# Starts the probe, answers Wine's print dialog with KEY and waits for the probe to end.
print_with() {
    local key=$1 dialog
    timeout 120 wine "$exe" 1000 700 buffered >"$work/out.txt" 2>"$work/err.txt" &
    app_pid=$!
    dialog=$(timeout 100 xdotool search --sync --onlyvisible --name "^Print$" | tail -n1)
    [ -n "$dialog" ] || fail "no print dialog appeared"
    sleep 1
    xdotool windowactivate --sync "$dialog" 2>/dev/null || xdotool windowfocus "$dialog"
    xdotool key --window "$dialog" "$key"
    wait "$app_pid" || fail "the probe ended with status $?"
    app_pid=""
}

print_with Escape
[ -s "$work/out.txt" ] && fail "cancelling wrote to the console"
[ -e "$work/cups/out/job.pdf" ] && fail "cancelling printed"

print_with Return
for ((i = 0; i < 50; i++)); do
    [ -s "$work/cups/out/job.pdf" ] && break
    sleep 0.1
done
out=$(tr -d '\r' <"$work/out.txt")
if [ -s "$work/cups/out/job.pdf" ]; then
    [ -z "$out" ] || fail "the job arrived but the probe reported: $out"
    echo "PASS: Escape cancels; Return prints, and the job reaches the private CUPS server"
    exit 0
fi
# Wine 8's EndDoc does not hand the job to CUPS ("PrintDocumentOnPrintProcessor failed 6"; with
# WINEDEBUG=+winspool the spooler's first WritePrinter to the "CUPS:zg-test" port fails). A pipe
# port for it under HKCU\Software\Wine\Printing\Spooler changes nothing. Every call before
# EndDoc succeeded, so the one report is EndDoc's.
# The report is followed by the line of the probe's Print call.
EXPECTED_END="Fatal Error: Failed to EndDoc in Print!"
[ "$(head -n 1 <<<"$out")" = "$EXPECTED_END" ] || fail "expected only '$EXPECTED_END', got: $out"
[[ "$(sed -n 2p <<<"$out")" == "  in Print() at print_probe.cpp:"* ]] || fail "no caller line after the report: $out"
[ "$(wc -l <<<"$out")" -eq 2 ] || fail "expected one report, got: $out"
echo "PASS: Escape cancels; Return prints through StartDoc ... EndPage, and Wine's EndDoc fails as expected"
