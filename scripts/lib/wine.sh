# One Wine session for a script that runs several cross-built programs (sourced, not run).
# wine_open BUILD_WINDOWS reuses the session in BUILD_WINDOWS/wine when one runs (a ctest
# fixture's), or starts one there (private Xvfb through lib/xvfb.sh, the prefix kept for later
# runs) and stops it again in wine_close. wine_run PROGRAM ARGS... runs a program in it and
# prints its output with Windows line ends made Unix ones.
wine_lib_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
wine_own_session=0

wine_open() {
  export ZG_WINE_SESSION="$1/wine"
  [[ -f "$ZG_WINE_SESSION/env" ]] && return 0
  "$wine_lib_dir/wine-session.sh" start "$ZG_WINE_SESSION" >/dev/null || return 1
  wine_own_session=1
}

wine_close() {
  ((wine_own_session)) || return 0
  "$wine_lib_dir/wine-session.sh" stop "$ZG_WINE_SESSION" >/dev/null
  wine_own_session=0
}

wine_run() {
  "$wine_lib_dir/run-under-wine.sh" "$@" | tr -d '\r'
  return "${PIPESTATUS[0]}"
}
