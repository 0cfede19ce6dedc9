#!/usr/bin/env bash
# Usage: wine-session.sh start|stop SESSION_DIR
# A Wine session for running the cross-built tests: a private Xvfb, a Wine prefix kept in
# SESSION_DIR/prefix (created once with `wineboot -i`, reused by later runs) and a persistent
# wineserver, so the tests of one ctest run share one server instead of paying Wine's start-up
# each. SESSION_DIR/env holds what run-under-wine.sh needs (DISPLAY, WINEPREFIX, Xvfb's pid).
# Every long-lived process gets /dev/null and log files as its streams: ctest waits for the
# pipes of a test to close, and a server inheriting them would hold it forever.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/lib/xvfb.sh"

usage() { echo "usage: $0 start|stop SESSION_DIR" >&2; exit 2; }
(($# == 2)) || usage
action=$1
session=$(mkdir -p "$2" && cd "$2" && pwd)

export WINEPREFIX="$session/prefix" WINEDEBUG=-all WINEARCH=win64
# No Mono or Gecko: their installers would ask questions, and the tests need neither.
export WINEDLLOVERRIDES="mscoree,mshtml="

session_alive() {
  [[ -f "$session/env" ]] || return 1
  local pid
  pid=$(sed -n 's/^ZG_XVFB_PID=//p' "$session/env")
  [[ -n "$pid" ]] && kill -0 "$pid" 2>/dev/null
}

init_prefix() {
  if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    echo "wine-session: creating the Wine prefix in $WINEPREFIX (once, ~20 s)"
    wineboot -i </dev/null >>"$session/wine.log" 2>&1 9>&-
    wineserver -w
  fi
  # Xvfb has no window manager. A managed window makes Wine wait up to 2 s for one at every
  # show and hide, so each test window would cost 2 s; unmanaged windows cost milliseconds.
  grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null && return 0
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >>"$session/wine.log" 2>&1 9>&-
  wineserver -w
}

start() {
  if session_alive; then
    echo "wine-session: already running ($(grep ^DISPLAY= "$session/env"))"
    return 0
  fi
  xvfb_start
  init_prefix
  wineserver -p </dev/null >>"$session/wine.log" 2>&1 9>&-
  # Starts the services and the desktop process now, with our streams, not a test's.
  wineboot </dev/null >>"$session/wine.log" 2>&1 9>&-
  printf 'DISPLAY=%s\nWINEPREFIX=%s\nZG_XVFB_PID=%s\n' "$DISPLAY" "$WINEPREFIX" "$ZG_XVFB_PID" >"$session/env"
  echo "wine-session: started on $DISPLAY, prefix $WINEPREFIX"
}

stop() {
  [[ -f "$session/env" ]] || { echo "wine-session: none running in $session"; return 0; }
  local pid i
  pid=$(sed -n 's/^ZG_XVFB_PID=//p' "$session/env")
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  if [[ -n "$pid" ]] && kill "$pid" 2>/dev/null; then
    for ((i = 0; i < 100; i++)); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
  fi
  rm -f "$session/env"
  echo "wine-session: stopped"
}

# One start or stop at a time per session directory. The servers started under the lock must
# not inherit its descriptor (9), or the lock would live as long as they do.
exec 9>"$session/lock"
flock 9
case "$action" in
  start) start ;;
  stop) stop ;;
  *) usage ;;
esac
