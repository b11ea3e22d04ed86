#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every adventure the game ships passes plumix-adventure check, and each one
# that has a text source under adventures/ is exactly what that source packs to.
# A new player's table has the record holder first: the record scores are
# that player's level scores, so the first place is their sum.
set -euo pipefail
build=${1:?build folder}
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
tool=$build/game/plumix-adventure
[[ -x "$tool" ]] || { echo "plumix-adventure not built"; exit 77; }
work=$(mktemp -d /tmp/plumix-shipped.XXXXXX)
trap 'rm -rf "$work"' EXIT

shopt -s nullglob
files=("$source_dir"/data/Adventures/*.paf)
(( ${#files[@]} > 0 )) || { echo "no adventure is shipped"; exit 1; }
for paf in "${files[@]}"; do
  "$tool" check "$paf"
  name=$(basename "$paf" .paf)
  "$tool" unpack "$paf" "$work/$name" >/dev/null
  read -r records first < <(awk '/^\[HighScores\]/ { table = 1 }
    !table && /^RecordScore = / { sum += $3 }
    table && /^1 = / { first = $3 }
    END { print sum + 0, first + 0 }' "$work/$name/adventure.txt")
  [[ $records == "$first" ]] || { echo "$name.paf: first place $first, record scores add up to $records"; exit 1; }
done
for dir in "$source_dir"/adventures/*/; do
  name=$(basename "$dir")
  shipped=$source_dir/data/Adventures/$name.paf
  [[ -f "$shipped" ]] || { echo "adventures/$name has no data/Adventures/$name.paf"; exit 1; }
  "$tool" pack "$dir" "$work/$name.paf" >/dev/null
  cmp "$work/$name.paf" "$shipped" || { echo "$name.paf is not packed from adventures/$name"; exit 1; }
done
echo "ok"
