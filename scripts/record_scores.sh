#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets each level's RecordScore in an adventure source to the best score the
# bot reached in it, packs the source again and checks it:
#   scripts/record_scores.sh adventures/NAME [SEEDS]
# The packed file goes to data/Adventures/NAME.paf. Levels the bot never won
# keep their RecordScore and are listed.
set -euo pipefail
cd "$(dirname "$0")/.."
src=${1:?adventure source folder}
seeds=${2:-3}
tool=build/game/plumix-adventure
name=$(basename "$src")
paf=data/Adventures/$name.paf
"$tool" pack "$src" "$paf" >/dev/null
report=$(mktemp)
trap 'rm -f "$report"' EXIT
"$tool" prove "$paf" --seeds "$seeds" | tee "$report" || true
# "level   3 Title ... 2/3  won  in ... score    780, ..." -> level 3 scored 780
awk '
  FNR == NR {
    if ($1 == "level" && $0 ~ / won  in /) { match($0, /score +[0-9-]+/); split(substr($0, RSTART, RLENGTH), s, " "); best[$2] = s[2] }
    next
  }
  /^\[Level [0-9]+\]/ { level = $2; sub(/\]/, "", level) }
  /^RecordScore = / && (level in best) { print "RecordScore = " best[level]; next }
  { print }
' "$report" "$src/adventure.txt" > "$src/adventure.txt.new"
mv "$src/adventure.txt.new" "$src/adventure.txt"
"$tool" pack "$src" "$paf" >/dev/null
"$tool" check "$paf"
