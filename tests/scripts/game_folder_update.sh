#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What every build does to the game folder (plumix-game-folder, run by the
# build's game_data step) keeps what the player has there: the high scores of
# the shipped adventures, the player's own adventures, Settings.set and theme
# files the player changed. A new release's levels still arrive, with the
# player's high-score table kept.
set -euo pipefail
build=${1:?build folder}
tool=$build/plumix-game-folder
[[ -x "$tool" ]] || { echo "no $tool"; exit 1; }
grep -q plumix-game-folder "$build/build.ninja" || { echo "the build does not run $tool"; exit 1; }
work=$(mktemp -d /tmp/plumix-folder.XXXXXX)
trap 'rm -rf "$work"' EXIT
data=$work/data game=$work/game
mkdir -p "$data/Adventures" "$data/Graphics/Tiles" "$data/Music"
cp "$build/game/Adventures/PlumixAcademy.paf" "$data/Adventures/A.paf"
echo "Night" >"$data/Graphics/Tiles/Tiles.txt"
echo "Calm" >"$data/Music/Tracks.txt"
"$tool" "$data" "$game" >/dev/null
cmp "$data/Adventures/A.paf" "$game/Adventures/A.paf"

# poke FILE OFFSET FORMAT: writes the bytes of printf FORMAT at OFFSET.
poke() { printf "$3" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none; }
table=189316 level1=116 record1=$((116 + 1888))
# The player takes first place: their table and level scores.
poke "$game/Adventures/A.paf" "$table" '\x06Player'
poke "$game/Adventures/A.paf" "$((table + 32))" '\x9f\x86\x01\x00'
poke "$game/Adventures/A.paf" "$record1" '\x39\x30\x00\x00'
cp "$game/Adventures/A.paf" "$game/Adventures/Mine.paf"
poke "$game/Adventures/Mine.paf" 1 "Mine"
head -c 538 /dev/urandom >"$game/Settings.set"
echo "My calm" >"$game/Music/Tracks.txt"
cp -r "$game" "$work/played"

"$tool" "$data" "$game" >/dev/null
diff -r --exclude=.shipped-files "$work/played" "$game" || { echo "a build changed the player's files"; exit 1; }

# A new release: level 1 renamed, a new theme list, a new adventure.
poke "$data/Adventures/A.paf" "$((level1 + 1))" "Renamed"
echo "Dawn" >"$data/Graphics/Tiles/Tiles.txt"
echo "Calm2" >"$data/Music/Tracks.txt"
cp "$data/Adventures/A.paf" "$data/Adventures/B.paf"
"$tool" "$data" "$game" >/dev/null 2>"$work/warnings"
at() { dd if="$1" bs=1 skip="$2" count="$3" status=none | od -An -tx1 | tr -d ' \n'; }
[[ $(at "$game/Adventures/A.paf" "$((level1 + 1))" 7) == $(at "$data/Adventures/A.paf" "$((level1 + 1))" 7) ]] ||
  { echo "the release's level did not arrive"; exit 1; }
for range in "$table 2160" "$record1 4"; do
  set -- $range
  [[ $(at "$game/Adventures/A.paf" "$1" "$2") == $(at "$work/played/Adventures/A.paf" "$1" "$2") ]] ||
    { echo "the player's scores at $1 were lost"; exit 1; }
done
[[ $(stat -c %s "$game/Adventures/A.paf") == 191480 ]] || { echo "the adventure changed its size"; exit 1; }
cmp "$data/Graphics/Tiles/Tiles.txt" "$game/Graphics/Tiles/Tiles.txt"
cmp "$data/Adventures/B.paf" "$game/Adventures/B.paf"
cmp "$work/played/Music/Tracks.txt" "$game/Music/Tracks.txt"
grep -q "kept .*Tracks.txt" "$work/warnings" || { echo "no word on the kept theme file"; exit 1; }
cmp "$work/played/Settings.set" "$game/Settings.set"
cmp "$work/played/Adventures/Mine.paf" "$game/Adventures/Mine.paf"
echo "the player's files kept, the release's levels arrived"
