#!/usr/bin/env bash
# Installs the npm packages of package-lock.json (FreeType's sources for the web build,
# puppeteer-core for its tests) into node_modules/, exactly as locked, when they are missing or
# the lock file changed since. No install scripts run: the packages are sources and a library.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
stamp=node_modules/.zg-lock-installed
if [[ -f "$stamp" ]] && cmp -s package-lock.json "$stamp"; then
  exit 0
fi
# Debian's nodejs comes without npm; a Node.js from elsewhere (as on the CI machines) has its own.
if ! command -v npm >/dev/null; then
  as_root=()
  ((EUID == 0)) || as_root=(sudo)
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends npm </dev/null
fi
npm ci --ignore-scripts --no-audit --no-fund --loglevel=error
cp package-lock.json "$stamp"
