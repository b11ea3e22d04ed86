#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian source package in debian/ as a distribution would
# (dpkg-buildpackage -us -uc -b, the test suite included unless --nocheck),
# checks the package with lintian (no errors, no warnings), checks that the
# distribution's hardening flags reached every binary, and builds it a second
# time in another folder to compare the two packages byte for byte.
#
#   scripts/debian-package.sh [--nocheck] [--once] [OUT]
#
# The sources are the git tree's files (tracked and new, nothing ignored), so
# a build folder never slips in. The packages land in OUT (default
# build-deb/). Installs the build dependencies it lacks (apt-get).
set -euo pipefail
cd "$(dirname "$0")/.."
nocheck=0 once=0 out=build-deb
for arg in "$@"; do
  case "$arg" in
    --nocheck) nocheck=1 ;;
    --once) once=1 ;;
    *) out=$arg ;;
  esac
done
scripts/deps.sh --package
missing=$(dpkg-checkbuilddeps 2>&1 | sed -n 's/.*Unmet build dependencies: //p' | sed 's/([^)]*)//g; s/<[^>]*>//g')
if [[ -n "$missing" ]]; then
  sudo=""
  [[ $(id -u) -ne 0 ]] && sudo="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
fi
options="parallel=2"
((nocheck)) && options+=" nocheck"
export DEB_BUILD_OPTIONS="${DEB_BUILD_OPTIONS:+$DEB_BUILD_OPTIONS }$options"
version=$(dpkg-parsechangelog -S Version)
mkdir -p "$out"
out=$(realpath "$out")
work=$(mktemp -d /tmp/plumix-deb.XXXXXX)
trap 'rm -rf "$work"' EXIT
# ccache, where there is one, makes the second build quick: it keys the
# objects by the sources relative to $work, and -ffile-prefix-map keeps the
# build folder out of them, so they are the same objects either way.
if [[ -d /usr/lib/ccache ]]; then
  export PATH=/usr/lib/ccache:$PATH CCACHE_BASEDIR=$work CCACHE_NOHASHDIR=true
fi

build() {  # folder: copies the sources there, builds, leaves the .deb files in it
  mkdir -p "$1/plumix-adventure-$version"
  git ls-files -z --cached --others --exclude-standard | while IFS= read -r -d '' f; do
    [[ -e "$f" ]] && printf '%s\0' "$f"
  done | tar --null -T - -cf - | tar -xf - -C "$1/plumix-adventure-$version"
  local start=$SECONDS
  (cd "$1/plumix-adventure-$version" && dpkg-buildpackage -us -uc -b >"$1/build.log" 2>&1) ||
    { tail -40 "$1/build.log"; echo "dpkg-buildpackage failed (log: $out/build.log)"; cp "$1/build.log" "$out/"; exit 1; }
  echo "built in $((SECONDS - start)) s ($1)"
}

build "$work/first"
cp "$work/first/build.log" "$work"/first/*.deb "$work"/first/*.changes "$work"/first/*.buildinfo "$out/"
changes=$(ls "$out"/plumix-adventure_"$version"_*.changes)
echo "== lintian"
lintian --info --display-info --fail-on error,warning "$changes" | tee "$out/lintian.txt"

echo "== hardening"
deb=$(ls "$out"/plumix-adventure_"$version"_*.deb)
mkdir "$work/unpacked"
dpkg-deb -x "$deb" "$work/unpacked"
for exe in "$work"/unpacked/usr/games/*; do
  name=$(basename "$exe")
  dynamic=$(readelf -d "$exe") program=$(readelf -lW "$exe") symbols=$(readelf --dyn-syms -W "$exe")
  grep -q "BIND_NOW" <<<"$dynamic" || { echo "$name: no bindnow"; exit 1; }
  grep -q "FLAGS_1.*PIE" <<<"$dynamic" || { echo "$name: not PIE"; exit 1; }
  grep -q "GNU_RELRO" <<<"$program" || { echo "$name: no relro"; exit 1; }
  grep "GNU_STACK" <<<"$program" | grep -q "RW " || { echo "$name: executable stack"; exit 1; }
  grep -q "__[a-z_]*_chk@" <<<"$symbols" || { echo "$name: not fortified"; exit 1; }
  grep -q "__stack_chk_fail@" <<<"$symbols" || { echo "$name: no stack protector"; exit 1; }
  echo "$name: PIE, bindnow, relro, fortify, stack protector"
done
# Every compilation had the flags, not only the ones that left a trace.
if grep -E '^\[[0-9]+/[0-9]+\] .*c\+\+ .* -c ' "$out/build.log" | grep -v -- "-D_FORTIFY_SOURCE=2"; then
  echo "compiled without the distribution's flags"; exit 1
fi
grep -q -- "-fstack-protector-strong" "$out/build.log" || { echo "the build log shows no hardening flags"; exit 1; }

if ((!once)); then
  echo "== reproducible"
  build "$work/second"
  for f in "$work"/second/*.deb; do
    cmp "$f" "$out/$(basename "$f")" || { echo "$(basename "$f") differs between two builds"; exit 1; }
    echo "$(basename "$f"): the same in both builds"
  done
fi
