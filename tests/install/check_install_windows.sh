#!/usr/bin/env bash
# Usage: check_install_windows.sh BUILD_DIR TOOLCHAIN_FILE
# The mingw-w64 package as a Windows user gets it: installed into a temporary prefix, its tree
# holds only the package's files, and the starter and a pkg-config one-file program build
# against it with the cross compiler into Windows executables.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:?usage: check_install_windows.sh BUILD_DIR TOOLCHAIN_FILE}" && pwd)
toolchain=$(realpath "${2:?usage: check_install_windows.sh BUILD_DIR TOOLCHAIN_FILE}")
tmp=$(mktemp -d "${TMPDIR:-/tmp}/zg-install-win.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
die() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
unexpected=$(cd "$prefix" && find . -type f | sed 's|^\./||' | grep -vE \
  '^include/(graphics/(window|image|input_queues|palette)\.h|platform/win32\.h)$|^lib/(libzorgraphics(_platform)?\.a|cmake/zorgraphics/zorgraphics[A-Za-z-]*\.cmake|pkgconfig/zorgraphics\.pc)$|^share/doc/zorgraphics/((CHANGELOG|getting-started)\.md|examples/[a-z]+\.(cpp|png)|reference/.+)$' || true)
[[ -z "$unexpected" ]] || die "unexpected installed files: $unexpected"

cmake -S "$root/examples/starter" -B "$tmp/starter" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
      -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$tmp/starter" >/dev/null
[[ -f "$tmp/starter/starter.exe" ]] || die "the starter did not build"
[[ $(head -c 2 "$tmp/starter/starter.exe") == MZ ]] || die "starter.exe is not a Windows program"

export PKG_CONFIG_PATH=$prefix/lib/pkgconfig PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig
# shellcheck disable=SC2046
x86_64-w64-mingw32-g++-posix "$here/hello.cpp" -o "$tmp/hello.exe" -static $(pkg-config --cflags --libs zorgraphics)
[[ -f "$tmp/hello.exe" ]] || die "hello.exe did not build"
echo "windows package good"
