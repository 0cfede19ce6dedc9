#!/usr/bin/env bash
# check_layers.sh PORTABLE_DIR: every folder of the portable platform includes only the folders it
# may build on, so that dependencies run down the layers (a DC knows its device through an
# interface, never the printer behind it; the handle table knows no DC). Prints each include
# that breaks the rule and fails if there is one.
set -euo pipefail
root=${1:?usage: check_layers.sh PORTABLE_DIR}

# What each folder may include besides itself and the top-level headers (activity.h).
declare -A allowed=(
  [surface]=""
  [raster]="surface"
  [objects]="raster surface"
  [dc]="objects raster surface"
  [gdi]="dc objects raster surface"
  [text]="dc objects raster surface"
  [user]="display dc objects raster surface text"
  [display]="raster surface text user"
  [print]="dc display gdi objects raster surface"
  [web]=""  # stand-ins for system headers the web build lacks (fontconfig)
)

status=0
for dir in "$root"/*/; do
  folder=$(basename "$dir")
  if [[ -z ${allowed[$folder]+set} ]]; then
    echo "check_layers: folder $folder has no rule here" >&2
    status=1
    continue
  fi
  while IFS= read -r line; do
    file=${line%%:*}
    target=$(sed -E 's/.*#include "([^/"]+)\/.*/\1/' <<<"${line#*:}")
    [[ $target == "$folder" || " ${allowed[$folder]} " == *" $target "* ]] && continue
    echo "check_layers: ${file#"$root"/} includes $target/, which $folder/ may not build on" >&2
    status=1
  done < <(grep -rH --include="*.h" --include="*.cpp" '#include "[^"]*/' "$dir" || true)
done
exit "$status"
