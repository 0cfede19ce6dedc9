#!/usr/bin/env bash
# Usage: check_install.sh BUILD_DIR
# Installs the build into a temporary prefix and uses it as a new user would:
#   1. the installed tree holds headers, libraries, the CMake package, the pkg-config file and
#      the documents, and nothing else (no test, tool or build-only file);
#   2. pkg-config reports version 1.0.0;
#   3. examples/starter builds with find_package and runs headless, drawing its gold circle;
#   4. hello.cpp builds with `c++ hello.cpp $(pkg-config --cflags --libs zorgraphics)` and runs;
#   5. every example builds alone against the package;
#   6. the CMake package answers for version 1.0 and refuses a request for 2.0.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:?usage: check_install.sh BUILD_DIR}" && pwd)
tmp=$(mktemp -d "${TMPDIR:-/tmp}/zg-install.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
export ZG_DISPLAY=headless ZG_SCRIPT=$here/snapshot.script

step() { printf '\n---- %s\n' "$*"; }
die() { echo "FAIL: $*" >&2; exit 1; }

pixel_of() {  # png x y: "r,g,b"
  convert "$1" -format '%[fx:int(255*p{'"$2,$3"'}.r)],%[fx:int(255*p{'"$2,$3"'}.g)],%[fx:int(255*p{'"$2,$3"'}.b)]' info:
}

run_and_check() {  # dir program x y expected-rgb
  (cd "$1" && timeout 60 "$2" >/dev/null) || die "$2 did not end well"
  [[ -s "$1/picture.png" ]] || die "$2 wrote no snapshot"
  local seen
  seen=$(pixel_of "$1/picture.png" "$3" "$4")
  [[ "$seen" == "$5" ]] || die "$2: pixel ($3, $4) is $seen, expected $5"
}

step "install into $prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
unexpected=$(cd "$prefix" && find . -type f | sed 's|^\./||' | grep -vE \
  '^include/(graphics/(window|image|input_queues|palette)\.h|platform/win32\.h)$|^lib(64)?/(x86_64-linux-gnu/)?(libzorgraphics(_platform)?\.(a|so(\.[0-9.]+)?)|cmake/zorgraphics/zorgraphics[A-Za-z-]*\.cmake|pkgconfig/zorgraphics\.pc)$|^share/doc/zorgraphics/((CHANGELOG|getting-started)\.md|examples/[a-z]+\.(cpp|png)|reference/.+)$' || true)
[[ -z "$unexpected" ]] || die "unexpected installed files: $unexpected"
for needed in include/graphics/window.h include/platform/win32.h lib/cmake/zorgraphics/zorgraphicsConfig.cmake \
              lib/cmake/zorgraphics/zorgraphicsConfigVersion.cmake lib/pkgconfig/zorgraphics.pc; do
  [[ -f "$prefix/$needed" ]] || die "$needed not installed"
done

step "pkg-config"
export PKG_CONFIG_PATH=$prefix/lib/pkgconfig
version=$(pkg-config --modversion zorgraphics)
[[ "$version" == 1.0.0 ]] || die "pkg-config version is '$version'"

step "starter with find_package"
cmake -S "$root/examples/starter" -B "$tmp/starter" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$tmp/starter" >/dev/null
run_and_check "$tmp/starter" "$tmp/starter/starter" 200 140 255,215,0

step "hello.cpp with pkg-config"
mkdir -p "$tmp/hello"
# shellcheck disable=SC2046
c++ "$here/hello.cpp" -o "$tmp/hello/hello" $(pkg-config --cflags --libs zorgraphics)
run_and_check "$tmp/hello" "$tmp/hello/hello" 100 50 255,99,71

step "every example alone against the package"
cmake -S "$root/examples" -B "$tmp/examples" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$tmp/examples" -j"${JOBS:-2}" >/dev/null
step "CMake package version"
mkdir -p "$tmp/version"
printf 'cmake_minimum_required(VERSION 3.16)\nproject(v LANGUAGES CXX)\nfind_package(zorgraphics ${WANTED} REQUIRED)\nmessage(STATUS "found ${zorgraphics_VERSION}")\n' \
  >"$tmp/version/CMakeLists.txt"
found=$(cmake -S "$tmp/version" -B "$tmp/version/ok" -DWANTED=1.0 -DCMAKE_PREFIX_PATH="$prefix") \
  || die "find_package(zorgraphics 1.0) failed"
[[ "$found" == *"found 1.0.0"* ]] || die "find_package(zorgraphics 1.0) did not find version 1.0.0"
if cmake -S "$tmp/version" -B "$tmp/version/new" -DWANTED=2.0 -DCMAKE_PREFIX_PATH="$prefix" >/dev/null 2>&1; then
  die "find_package(zorgraphics 2.0) accepted version 1.0.0"
fi
echo "installed package good"
