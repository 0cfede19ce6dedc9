#!/usr/bin/env bash
# Usage: check-large-files.sh [REPO]
# Fails when a file tracked by git in REPO (default: this repository) is over 1 MiB and not
# named in REPO/scripts/large-files.txt (one path a line, '#' comments). Generated pictures and
# outputs belong in build/; this keeps one written by mistake from being committed unnoticed.
set -uo pipefail
repo=${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
limit=$((1024 * 1024))
[[ "$repo" != -* ]] || { echo "usage: $0 [REPO]" >&2; exit 2; }
cd "$repo" || exit 2
git rev-parse --git-dir >/dev/null 2>&1 || { echo "check-large-files: $repo is not a git work tree" >&2; exit 2; }

declare -A intended
if [[ -f scripts/large-files.txt ]]; then
  while IFS= read -r line; do
    line=${line%%#*}
    line=${line%"${line##*[![:space:]]}"}
    [[ -n "$line" ]] && intended[$line]=1
  done <scripts/large-files.txt
fi

oversized=0
while IFS= read -r -d '' path; do
  [[ -f "$path" ]] || continue
  size=$(stat -c %s -- "$path")
  ((size > limit)) || continue
  [[ -n "${intended[$path]:-}" ]] && continue
  echo "check-large-files: $path is $size bytes (over $limit) and not listed in scripts/large-files.txt"
  oversized=$((oversized + 1))
done < <(git ls-files -z)
((oversized == 0)) || exit 1
echo "check-large-files: no unlisted tracked file over $limit bytes"
