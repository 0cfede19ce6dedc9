#!/usr/bin/env bash
# Usage: run-under-wine.sh PROGRAM.exe [ARGS...]
# Runs a cross-built program under Wine and exits with its status. Inside a ctest run the
# session named by ZG_WINE_SESSION (started by the wine_session fixture) is reused; run by hand,
# the script starts a session in <build dir>/wine for this one program and stops it afterwards.
# The program's output goes through a file, not a pipe: Wine's helper processes inherit the
# streams and outlive the program, and ctest would wait for them.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

(($# >= 1)) || { echo "usage: $0 PROGRAM.exe [ARGS...]" >&2; exit 2; }
program=$1
shift
[[ -f "$program" ]] || { echo "run-under-wine: no such program: $program" >&2; exit 2; }

build_dir_of() {  # the nearest directory above $1 that holds a CMakeCache.txt
  local dir
  dir=$(cd "$(dirname "$1")" && pwd)
  while [[ "$dir" != / && ! -f "$dir/CMakeCache.txt" ]]; do dir=$(dirname "$dir"); done
  [[ "$dir" == / ]] && dir=$(cd "$(dirname "$1")" && pwd)
  echo "$dir"
}

session=${ZG_WINE_SESSION:-$(build_dir_of "$program")/wine}
own_session=0
if [[ ! -f "$session/env" ]]; then
  "$here/wine-session.sh" start "$session" >/dev/null || exit 1
  own_session=1
fi

output=$(mktemp)
(
  set -a
  source "$session/env"
  set +a
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  exec wine "$program" "$@" </dev/null >"$output" 2>&1
)
status=$?
cat "$output"
rm -f "$output"
((own_session)) && "$here/wine-session.sh" stop "$session" >/dev/null
exit "$status"
