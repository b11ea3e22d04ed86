#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the golden pictures anew from what the tests now see, and tells per
# picture how many pixels changed. Run it after an intended change of a
# screen, then look at the pictures in the diff before committing them.
#
#   scripts/update_golden.sh [BUILD_DIR]     # default: build
#   cmake --build build --target update_golden
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
built=no
if [ "${1:-}" = --built ]; then built=yes; shift; fi
build=$(cd "${1:-$root/build}" && pwd)
shots=$build/test-shots
[ $built = yes ] || cmake --build "$build" --target plumix_tests >/dev/null

# The tests that compare a picture: every TEST whose body calls MatchesGolden.
filter=$(python3 - "$root/tests" <<'PY'
import pathlib, re, sys
names = []
for path in sorted(pathlib.Path(sys.argv[1]).rglob("*_test.cpp")):
    test = None
    for line in path.read_text(encoding="utf-8", errors="replace").splitlines():
        m = re.match(r"TEST(?:_F)?\((\w+), *(\w+)\)", line)
        if m:
            test = m.group(1) + "." + m.group(2)
        if "MatchesGolden(" in line and test and test not in names:
            names.append(test)
print(":".join(names))
PY
)
[ -n "$filter" ] || { echo "no test compares a golden picture" >&2; exit 1; }

mkdir -p "$shots"
rm -f "$shots"/*_actual.png "$shots"/*_actual.txt
# Failures are expected here: each one leaves the picture it saw.
(cd "$build/tests" && SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy \
  ./plumix_tests --gtest_filter="$filter" --gtest_brief=1 >/dev/null) || true

for png in "$root"/tests/golden/*.png "$shots"/*_actual.png; do
  [ -e "$png" ] || continue
  case $png in
    "$shots"/*) name=$(basename "$png" _actual.png); [ -e "$root/tests/golden/$name.png" ] && continue ;;
    *) name=$(basename "$png" .png) ;;
  esac
  actual=$shots/${name}_actual.png
  if [ ! -e "$actual" ]; then
    printf '%-24s unchanged\n' "$name"
    continue
  fi
  changed=$(cat "$shots/${name}_actual.txt")
  cp "$actual" "$root/tests/golden/$name.png"
  if [ "$changed" = -1 ]; then
    printf '%-24s written anew\n' "$name"
  else
    printf '%-24s %d pixels changed\n' "$name" "$changed"
  fi
done
