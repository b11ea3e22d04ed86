#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A new player's first minutes in a real window under Xvfb, as pictures: a
# fresh game folder, the title left alone until its demo, a key back to the
# title, the menus by key, then the Plumix Academy with the bot at the keys
# (--bot-plays), Enter every eight seconds to go on from each level's screens.
# A picture of the whole screen every two seconds (every second in the demo).
#   scripts/first_minutes.sh [BUILD] [OUT] [MINUTES]   (build/ first-minutes/ 11)
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build} out=${2:-first-minutes} minutes=${3:-11}
command -v Xvfb >/dev/null && command -v xdotool >/dev/null && command -v import >/dev/null ||
  { echo "needs Xvfb, xdotool and ImageMagick (scripts/deps.sh --test)"; exit 1; }
work=$(mktemp -d /tmp/plumix-first.XXXXXX)
cleanup() {
  [[ -n "${game:-}" ]] && kill "$game" 2>/dev/null
  [[ -n "${xvfb:-}" ]] && kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$out"
# What a new player has: the release's adventures, no settings.
cp -r "$build/game" "$work/game"
cp data/Adventures/*.paf "$work/game/Adventures/"
rm -f "$work/game/Settings.set"
source scripts/xvfb.bash
start_xvfb "$work" || exit 1
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} XDG_RUNTIME_DIR=$work
"$work/game/plumix" --window --bot-plays >"$work/game.log" 2>&1 &
game=$!
id=$(wait_window '"Plumix' 300) || { echo "no game window"; cat "$work/game.log"; exit 1; }
start=$(date +%s)
shot() { import -window root "$out/$(printf %04d $(($(date +%s) - start)))-$1.png"; }
key() { xdotool windowfocus --sync "$id" key "$1"; sleep 0.5; }
sleep 2; shot title
sleep 19; for _ in $(seq 24); do sleep 1; shot demo; done
key space; sleep 1; shot back-to-title
key Return; shot main-menu
key Return; sleep 1; shot list
key Return; shot game-menu
key Return; sleep 2; shot level-info
end=$((start + minutes * 60)) n=0
while (($(date +%s) < end)) && kill -0 "$game" 2>/dev/null; do
  sleep 2; shot play
  n=$((n + 1))
  ((n % 4 == 0)) && xdotool windowfocus --sync "$id" key Return
done
cp "$work/game.log" "$out/"
echo "$(ls "$out"/*.png | wc -l) pictures in $out"
