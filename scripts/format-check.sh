#!/usr/bin/env bash
# Usage: format-check.sh
# Checks that every tracked C++ file is laid out as .clang-format says (clang-format 14, the one
# Debian 12 ships); prints the files that are not and exits 1, 0 when all are. `clang-format -i
# FILE` lays a file out.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
if [[ $# -gt 0 ]]; then
  [[ "$1" == --help || "$1" == -h ]] && { echo "usage: $0"; exit 0; }
  echo "usage: $0" >&2
  exit 2
fi
formatter=$(command -v clang-format-14 || command -v clang-format) || { echo "clang-format is missing: run scripts/setup-deps.sh" >&2; exit 1; }
mapfile -t files < <(git ls-files '*.cpp' '*.h' '*.inl')
unformatted=()
for file in "${files[@]}"; do
  "$formatter" --dry-run -Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done
if ((${#unformatted[@]})); then
  printf 'not laid out as .clang-format says (clang-format -i FILE):\n'
  printf '  %s\n' "${unformatted[@]}"
  exit 1
fi
echo "format: ${#files[@]} files laid out as .clang-format says"
