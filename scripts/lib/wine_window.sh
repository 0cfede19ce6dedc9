# A cross-built program's window in the ctest run's Wine session (ZG_WINE_SESSION), driven as a
# person would drive it: sourced by the tests that click a program and photograph its window.
# The session's windows are unmanaged, so each X window holds Wine's own frame around the client
# area; every position here is in client coordinates, turned into the X window's with the frame
# measured when the window appears.
#   win_start EXE CAPTION_REGEX CLIENT_W CLIENT_H   start EXE in a fresh folder ($win_dir)
#   win_click X Y | win_move X Y | win_key KEY       input at client positions
#   win_grab FILE                                    the client area as the X server shows it
#   win_expect_same SAVED GRAB                       SAVED (written by the program) equals GRAB
#   win_close                                        the close box; the program must end
# Every failure ends the test with "FAIL: ..." and status 1; a missing tool skips it (77).
win_pid="" win_dir="" win_id="" win_left=0 win_top=0 win_width=0 win_height=0

win_fail() { echo "FAIL: $*"; exit 1; }

win_cleanup() {
  [[ -n "$win_pid" ]] && kill -KILL "$win_pid" 2>/dev/null
  [[ -n "$win_dir" ]] && rm -rf "$win_dir"
  return 0
}

win_start() {  # EXE CAPTION_REGEX CLIENT_W CLIENT_H
  local tool
  for tool in wine xdotool import compare identify timeout; do
    command -v "$tool" >/dev/null || { echo "skip: $tool is not installed"; exit 77; }
  done
  [[ -f "${ZG_WINE_SESSION:-}/env" ]] || win_fail "no Wine session (ZG_WINE_SESSION)"
  [[ -f "$1" ]] || win_fail "no executable at $1"
  set -a
  source "$ZG_WINE_SESSION/env"
  set +a
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  win_width=$3 win_height=$4
  win_dir=$(mktemp -d "${TMPDIR:-/tmp}/zg-wine-window.XXXXXX")
  trap win_cleanup EXIT
  local exe
  exe=$(realpath "$1")
  (cd "$win_dir" && exec timeout 120 wine "$exe" </dev/null >"$win_dir/out.txt" 2>&1) &
  win_pid=$!
  win_id=$(timeout 100 xdotool search --sync --onlyvisible --name "$2" | tail -n1)
  [[ -n "$win_id" ]] || win_fail "no window titled '$2'"
  local WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$win_id" | grep -E '^(WIDTH|HEIGHT)=')"
  # Wine's frame is as wide on the left, right and bottom; the caption bar adds to the top.
  win_left=$(((WIDTH - win_width) / 2))
  win_top=$((HEIGHT - win_height - win_left))
  ((win_left >= 0 && win_top >= 0)) || win_fail "window ${WIDTH}x$HEIGHT is smaller than its client area"
  sleep 2
}

win_move() { xdotool mousemove --window "$win_id" $(($1 + win_left)) $(($2 + win_top)); }

win_click() { win_move "$1" "$2"; sleep 0.3; xdotool click 1; sleep 1; }

win_key() { xdotool windowfocus --sync "$win_id" 2>/dev/null; xdotool key "$1"; }

win_grab() {
  import -window "$win_id" -crop "${win_width}x$win_height+$win_left+$win_top" +repage "$1" \
    || win_fail "could not grab the window"
}

win_expect_same() {  # SAVED GRAB
  local i size differing
  for ((i = 0; i < 50; i++)); do [[ -s "$1" ]] && break; sleep 0.2; done
  [[ -s "$1" ]] || win_fail "no $(basename "$1") was written"
  size=$(identify -format '%wx%h' "$1")
  [[ "$size" == "${win_width}x$win_height" ]] || win_fail "the saved picture is $size, not ${win_width}x$win_height"
  differing=$(compare -metric AE "$2" "$1" null: 2>&1 | cut -d' ' -f1)
  [[ "$differing" == 0 ]] || win_fail "$differing pixels differ between $(basename "$1") and the X server's picture"
  echo "PASS: the saved $(basename "$1") ($size) equals the window grabbed from the X server"
}

win_close() {
  local WIDTH i
  eval "$(xdotool getwindowgeometry --shell "$win_id" | grep -E '^WIDTH=')"
  xdotool mousemove --window "$win_id" $((WIDTH - 14)) 12 click 1
  for ((i = 0; i < 100; i++)); do kill -0 "$win_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$win_pid" 2>/dev/null && win_fail "the program still runs 10 s after its close box"
  wait "$win_pid" || win_fail "the program ended with status $?: $(cat "$win_dir/out.txt")"
  win_pid=""
}
