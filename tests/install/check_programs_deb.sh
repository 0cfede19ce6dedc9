#!/usr/bin/env bash
# Usage: check_programs_deb.sh BUILD_DIR
# The programs' .deb as a student's machine gets it, never installed here:
#   1. cpack makes it from the build (into a temporary folder);
#   2. its control fields: name, version, architecture, the libraries' packages computed from the
#      binaries, the fonts;
#   3. its files: both programs, their desktop entries, icons at every size, man pages, the
#      copyright and changelog, and nothing else; the desktop entries valid;
#   4. lintian, when installed, finds no error;
#   5. extracted with dpkg-deb -x, both programs run headless from there and draw exactly what
#      the build tree's programs draw.
set -euo pipefail
build=$(cd "${1:?usage: check_programs_deb.sh BUILD_DIR}" && pwd)
tmp=$(mktemp -d "${TMPDIR:-/tmp}/zg-deb.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
step() { printf '\n---- %s\n' "$*"; }
die() { echo "FAIL: $*" >&2; exit 1; }

step "cpack -G DEB"
(cd "$build" && cpack -G DEB -D ZG_PACKAGE=programs -B "$tmp/out" >"$tmp/cpack.log" 2>&1) \
  || { cat "$tmp/cpack.log"; die "cpack failed"; }
deb=$(find "$tmp/out" -maxdepth 1 -name 'gyroscope_*.deb')
[[ -f "$deb" ]] || die "no gyroscope_*.deb made"
ls -l "$deb"

step "control fields"
dpkg-deb --info "$deb" | tee "$tmp/info"
field() { dpkg-deb --field "$deb" "$1"; }
[[ $(field Package) == gyroscope ]] || die "package name"
[[ $(field Version) == 1.0.0-1 ]] || die "version"
[[ $(field Architecture) == "$(dpkg --print-architecture)" ]] || die "architecture"
depends=$(field Depends)
[[ "$depends" == *fonts-liberation* ]] || die "Depends lacks the fonts: $depends"

step "contents"
dpkg-deb --contents "$deb" | tee "$tmp/contents"
files=$(awk '$1 !~ /^d/ {print $6}' "$tmp/contents" | sed 's|^\./||' | sort)
expected=$( {
  printf 'usr/bin/%s\n' gyroscope gyroscope_lab
  printf 'usr/share/applications/%s.desktop\n' gyroscope gyroscope_lab
  for size in 16 24 32 48 64 128 256; do
    printf "usr/share/icons/hicolor/${size}x${size}/apps/%s.png\n" gyroscope gyroscope_lab
  done
  printf 'usr/share/man/man1/%s.1.gz\n' gyroscope gyroscope_lab
  printf 'usr/share/doc/gyroscope/%s\n' copyright changelog.Debian.gz
} | sort)
[[ "$files" == "$expected" ]] || die "files differ from the expected list:
$(diff <(echo "$expected") <(echo "$files"))"

step "extract"
dpkg-deb -x "$deb" "$tmp/root"
# Every library a program loads comes from a package that Depends names.
for program in gyroscope gyroscope_lab; do
  for lib in $(objdump -p "$tmp/root/usr/bin/$program" | awk '$1 == "NEEDED" {print $2}'); do
    path=$(ldconfig -p | awk -v lib="$lib" '$1 == lib && /x86-64/ {print $NF; exit}')
    [[ -n "$path" ]] || die "$program needs $lib, which this machine lacks"
    owner=$(dpkg -S "$(realpath "$path")" 2>/dev/null || dpkg -S "$path") || die "no package owns $path"
    owner=${owner%%:*}
    [[ " ${depends//,/ } " == *" $owner "* ]] || die "$program needs $lib from $owner, not in Depends: $depends"
  done
done
echo "every library the programs load is in Depends"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$tmp/root"/usr/share/applications/*.desktop || die "desktop entries"
fi
if command -v lintian >/dev/null; then
  step "lintian"
  lintian --tag-display-limit 0 "$deb" | tee "$tmp/lintian" || true
  ! grep -q '^E:' "$tmp/lintian" || die "lintian reports errors"
else
  echo "lintian is not installed: skipped"
fi

step "both programs from the extracted package, headless"
printf '100 snapshot %s\n200 close\n' "$tmp/shot.png" >"$tmp/script"
for program in gyroscope gyroscope_lab; do
  built=$(find "$build/app" "$build/lab" -maxdepth 1 -name "$program" -type f -perm -u+x | head -1)
  for which in "$tmp/root/usr/bin/$program" "$built"; do
    rm -f "$tmp/shot.png"
    (cd "$tmp" && ZG_DISPLAY=headless ZG_SCRIPT="$tmp/script" timeout 60 "$which" >/dev/null) \
      || die "$which did not end well"
    [[ -s "$tmp/shot.png" ]] || die "$which took no snapshot"
    cp "$tmp/shot.png" "$tmp/$program-$([[ $which == "$built" ]] && echo built || echo deb).png"
  done
  diffs=$(compare -metric AE "$tmp/$program-deb.png" "$tmp/$program-built.png" null: 2>&1 || true)
  [[ "$diffs" == 0 ]] || die "$program from the package draws $diffs pixels unlike the build's"
  echo "$program: runs from the package, same picture as the build's"
done
echo "programs' .deb good"
