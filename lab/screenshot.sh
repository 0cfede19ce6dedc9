#!/usr/bin/env bash
# Makes the README's pictures of gyroscope_lab with the headless display, one headless session
# each: docs/gyroscope_lab.png (the "loops" preset after 2.5 s) and, in docs/lab/, one picture per
# preset (chosen by its keys, run as long as its motion needs, the plots over the window that
# shows it best) and one of the view turned by the arrow keys and zoomed.
# Usage: lab/screenshot.sh [GYROSCOPE_LAB_EXECUTABLE] [OUTPUT_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe=${1:-$root/build/native/lab/gyroscope_lab}
out=${2:-$root/docs}
if [ $# -eq 0 ] && [ ! -x "$exe" ]; then
    (cd "$root" && cmake --preset native >/dev/null && cmake --build --preset native --target gyroscope_lab -j"${JOBS:-2}")
fi
[ -x "$exe" ] || { echo "screenshot.sh: no executable at $exe" >&2; exit 2; }
mkdir -p "$out/lab"
out=$(cd "$out" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# shoot NAME MS KEYS...: a session that types KEYS (script key names) 50 ms apart from 50 ms on,
# then takes the picture at virtual time MS.
shoot() {
    local file=$1 at=$2 time=50 key
    shift 2
    : >"$work/script"
    for key in "$@"; do
        echo "$time key $key" >>"$work/script"
        time=$((time + 50))
    done
    printf '%s snapshot %s\n%s close\n' "$at" "$file" "$((at + 100))" >>"$work/script"
    rm -f "$file"
    (cd "$work" && ZG_DISPLAY=headless ZG_SCRIPT="$work/script" timeout 120 "$exe" >/dev/null)
    [ -s "$file" ] || { echo "screenshot.sh: $file was not written" >&2; exit 1; }
    echo "wrote $file ($(stat -c %s "$file") bytes)"
}

# The presets from cusps (the start): p steps down, P up.
shoot "$out/gyroscope_lab.png" 2500 P
shoot "$out/lab/steady.png" 2500 p p 2
shoot "$out/lab/waves.png" 2500 p
shoot "$out/lab/cusps.png" 2500
shoot "$out/lab/loops.png" 2500 P
shoot "$out/lab/sleeping.png" 3000 P P g
shoot "$out/lab/below_threshold.png" 3000 P P P 2
shoot "$out/lab/spin_friction.png" 47000 P P P P 3 g
shoot "$out/lab/pivot_friction.png" 30000 P P P P P 3
shoot "$out/lab/turned.png" 2500 left left left left left left up up up +
