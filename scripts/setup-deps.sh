#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the tools need, and only those missing.
# Idempotent and quick when everything is there: one dpkg-query, no apt call at all.
# Runs apt as root directly, through sudo otherwise; never asks a question.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libsdl2-dev libx11-dev libfreetype-dev libfontconfig-dev libpng-dev libstb-dev
  libcups2-dev libcairo2-dev
  libgtest-dev googletest libbenchmark-dev
  mingw-w64 g++-mingw-w64-x86-64-posix wine wine64
  xvfb xauth xdotool x11-utils imagemagick strace time doxygen
  lintian icoutils desktop-file-utils
  clang libclang-rt-14-dev clang-format
  fonts-liberation fonts-dejavu-core
  cups-daemon cups-client cups-core-drivers poppler-utils xfonts-base python3
)

# One dpkg-query for all packages; a package it does not know is missing from its answer.
missing_packages() {
  local -A installed=()
  local pkg status
  while read -r pkg status; do
    [[ "$status" == ii* ]] && installed[${pkg%%:*}]=1
  done < <(dpkg-query -W -f='${Package} ${db:Status-Abbrev}\n' "${packages[@]}" 2>/dev/null || true)
  for pkg in "${packages[@]}"; do
    [[ -n "${installed[$pkg]:-}" ]] || echo "$pkg"
  done
}

mapfile -t missing < <(missing_packages)
if ((${#missing[@]} == 0)); then
  echo "setup-deps: all ${#packages[@]} packages present"
  exit 0
fi

as_root=()
if ((EUID != 0)); then
  command -v sudo >/dev/null || { echo "setup-deps: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  as_root=(sudo)
fi

echo "setup-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
