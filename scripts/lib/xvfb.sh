# Private X servers for tests and measurements (sourced, not run).
# xvfb_start picks the first free display number at or above ZG_XVFB_BASE (default 100), so
# parallel tests and developers using low fixed numbers do not collide; Xvfb itself reports
# readiness through -displayfd, so no caller sleeps and hopes. Exports DISPLAY and ZG_XVFB_PID.

xvfb_wait_ready() {  # pid file: returns 0 once Xvfb wrote its display number, 1 if it died
  local pid=$1 file=$2 i
  for ((i = 0; i < 400; i++)); do
    [[ -s "$file" ]] && return 0
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.025
  done
  return 1
}

xvfb_start() {
  local base=${ZG_XVFB_BASE:-100} n ready pid
  ready=$(mktemp)
  for ((n = base; n < base + 200; n++)); do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    : >"$ready"
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset -displayfd 3 \
      3>"$ready" </dev/null >/dev/null 2>&1 9>&- &
    pid=$!
    if xvfb_wait_ready "$pid" "$ready"; then
      rm -f "$ready"
      export DISPLAY=":$n" ZG_XVFB_PID=$pid
      return 0
    fi
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  rm -f "$ready"
  echo "xvfb: no free display between :$base and :$((base + 199))" >&2
  return 1
}

xvfb_stop() {
  [[ -n "${ZG_XVFB_PID:-}" ]] || return 0
  kill "$ZG_XVFB_PID" 2>/dev/null
  wait "$ZG_XVFB_PID" 2>/dev/null
  unset ZG_XVFB_PID
  return 0
}
