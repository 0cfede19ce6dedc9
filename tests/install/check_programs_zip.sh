#!/usr/bin/env bash
# Usage: check_programs_zip.sh BUILD_DIR
# The programs' zip as a Windows student gets it, run inside the Wine session of the ctest run
# (ZG_WINE_SESSION: a private Xvfb and Wine prefix):
#   1. cpack makes it from the cross build; it unpacks into an empty folder as one folder holding
#      gyroscope.exe, gyroscope_lab.exe, README.txt and LICENSE.txt;
#   2. each program is self-contained: every DLL it imports is one Windows itself has, and it
#      carries its icon;
#   3. each program started from the unpacked folder opens its window with its caption, and ends
#      with status 0 on a click on its close box.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${1:?usage: check_programs_zip.sh BUILD_DIR}" && pwd)
tmp=$(mktemp -d "${TMPDIR:-/tmp}/zg-zip.XXXXXX")
app_pid=""
cleanup() {
  [[ -n "$app_pid" ]] && kill "$app_pid" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
step() { printf '\n---- %s\n' "$*"; }
die() { echo "FAIL: $*" >&2; exit 1; }
[[ -f "${ZG_WINE_SESSION:-}/env" ]] || die "no Wine session (ZG_WINE_SESSION)"
set -a
source "$ZG_WINE_SESSION/env"
set +a
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

step "cpack -G ZIP"
(cd "$build" && cpack -G ZIP -D ZG_PACKAGE=programs -B "$tmp/out" >"$tmp/cpack.log" 2>&1) \
  || { cat "$tmp/cpack.log"; die "cpack failed"; }
zip=$tmp/out/gyroscope-1.0.0-windows-x86_64.zip
[[ -f "$zip" ]] || die "no $zip: $(ls "$tmp/out")"
ls -l "$zip"
mkdir "$tmp/unzipped"
(cd "$tmp/unzipped" && cmake -E tar xf "$zip")
files=$(cd "$tmp/unzipped" && find . -type f | sort | tr '\n' ' ')
folder=./gyroscope-1.0.0-windows-x86_64
[[ "$files" == "$folder/LICENSE.txt $folder/README.txt $folder/gyroscope.exe $folder/gyroscope_lab.exe " ]] \
  || die "unexpected files: $files"
dir=$tmp/unzipped/$folder

step "self-contained, with an icon"
system32=$WINEPREFIX/drive_c/windows/system32
for exe in gyroscope gyroscope_lab; do
  dlls=$(x86_64-w64-mingw32-objdump -p "$dir/$exe.exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
  for dll in $dlls; do
    [[ -f "$system32/$dll" ]] || die "$exe.exe needs $dll, which Windows does not have"
  done
  echo "$exe.exe imports only Windows' own: $(echo $dlls)"
  wrestool -l "$dir/$exe.exe" | grep -q -- '--type=14' || die "$exe.exe has no icon"
done

step "each program from the unpacked folder, closed with its close box"
run_and_close() {  # exe caption
  (cd "$dir" && exec wine "$1.exe" </dev/null >"$tmp/$1.out" 2>&1) &
  app_pid=$!
  local wid x y width
  wid=$(timeout 60 xdotool search --sync --onlyvisible --name "$2" | head -n1)
  [[ -n "$wid" ]] || die "$1.exe: no window titled '$2'"
  eval "$(xdotool getwindowgeometry --shell "$wid" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
  if [[ -n "${ZG_SCREENSHOT_DIR:-}" ]]; then  # for a person to look at: the first frames drawn
    sleep 3
    import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" "$ZG_SCREENSHOT_DIR/$1-wine.png"
  fi
  # Without a window manager Wine draws the frame itself; the close box ends its caption bar.
  xdotool mousemove --sync $((X + WIDTH - 14)) $((Y + 12)) click 1
  for ((i = 0; i < 100; i++)); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$app_pid" 2>/dev/null && die "$1.exe still runs 10 s after its close box"
  wait "$app_pid" || die "$1.exe ended with status $?: $(cat "$tmp/$1.out")"
  app_pid=""
  echo "$1.exe: window '$2' opened, closed by its close box, status 0"
}
run_and_close gyroscope "Simulation de la precession"
run_and_close gyroscope_lab "Gyroscope lab"
echo "programs' zip good"
