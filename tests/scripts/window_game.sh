#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A whole game in a real window under Xvfb, played with real key events:
# title, main menu, adventure list, game menu, two levels, the game-completed
# screen and the high-score page; the new place must be in the adventure file.
set -euo pipefail
build=${1:?build folder}
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || { echo "Xvfb/xdotool missing"; exit 77; }
tool=$build/game/plumix-adventure
[[ -x "$tool" ]] || { echo "plumix-adventure not built"; exit 77; }
work=$(mktemp -d /tmp/plumix-game.XXXXXX)
cleanup() {
  [[ -n "${game:-}" ]] && kill "$game" 2>/dev/null || true
  [[ -n "${xvfb:-}" ]] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
cp -r "$build/game" "$work/game"

# Two short levels: a one-cell element in a shaft one column wide clears a row each time.
mkdir -p "$work/quick"
python3 - "$work/quick/adventure.txt" <<'PY'
import sys
rows = []
for y in range(1, 31):
    r = ['.'] * 30
    if y <= 4:
        r[12] = r[17] = '#'
        r[13:17] = '----'
    elif y < 30:
        r[13], r[14], r[15] = '#', '-', '#'
        if y == 5:
            r[12] = r[16] = r[17] = '#'
    else:
        r[12:18] = '######'
    rows.append(r)
rows[0][13] = '@'
out = ['[Adventure]', 'Title = "Quick Shaft"', 'LastLevelIndex = 1']
for n in (1, 2):
    out += ['[Level %d]' % n, 'Title = "Shaft %d"' % n, 'StartSpeed = 2', 'MaximalSpeed = 4',
            'NextElements = 1', 'LinesToIncreaseSpeed = 5', 'LinesToFinish = 2', 'EntryColumn = 14',
            'EntryRow = 1', 'Elements = 0 0 0 0 0 0 0 1 0 0 0 0 0 0 0 0 0 0', 'Board =']
    out += [''.join(r) for r in rows]
open(sys.argv[1], 'w').write('\n'.join(out) + '\n')
PY
# Listed first: its file name sorts before the shipped adventures (the list
# opens on the Academy, so Page Up goes to the top).
"$tool" pack "$work/quick" "$work/game/Adventures/AQuickShaft.paf" >/dev/null

source "$(dirname "$0")/../../scripts/xvfb.bash"
start_xvfb "$work" || exit 1
export SDL_AUDIODRIVER=dummy XDG_RUNTIME_DIR=$work

"$work/game/plumix" --window >"$work/game.log" 2>&1 &
game=$!
id=
for _ in $(seq 300); do
  id=$(xwininfo -root -children 2>/dev/null | grep -F '"Plumix' | grep -oE '0x[0-9a-f]+' | head -1 || true)
  [[ -n "$id" ]] && break
  sleep 0.2
done
[[ -n "$id" ]] || { echo "no game window"; cat "$work/game.log"; exit 1; }
sleep 2

key() { xdotool windowfocus --sync "$id" key "$1"; sleep 0.6; }
first_place() {
  "$tool" unpack "$work/game/Adventures/AQuickShaft.paf" "$work/unpacked" --force >/dev/null
  grep -E '^1 = ' "$work/unpacked/adventure.txt" || true
}

key Return   # title
key Return   # Load Adventure
key Prior    # the first entry
key Return   # Load Quick Shaft
key Return   # Start Adventure
# Enter starts each level and confirms its end; Down drops one element after
# another. Enter does nothing during play, so the loop needs no timing of its own.
placed=
for _ in $(seq 30); do
  key Return
  for _ in 1 2 3; do
    xdotool windowfocus --sync "$id" keydown Down
    sleep 0.7
    xdotool keyup Down
    sleep 0.1
  done
  placed=$(first_place)
  [[ -n "$placed" ]] && break
done
[[ -n "$placed" ]] || { echo "the game did not end with a place in the table"; cat "$work/game.log"; exit 1; }
echo "first place: $placed"
[[ "$placed" == *'"PLUMIX FREAK"'* ]] || { echo "not the player's name"; exit 1; }

key Return   # OK on the game-completed screen: the high-score page
# The new place is highlighted in green at the top of the left column (the
# page fades in, and a busy machine may take a while).
green=0
for _ in $(seq 20); do
  import -window root "$work/scores.png"
  green=$(convert "$work/scores.png" -crop 400x20+60+100 +repage -fx '(g>0.7&&r<0.3&&b<0.3)?1:0' -format '%[fx:mean*8000]' info:)
  awk -v g="$green" 'BEGIN { exit !(g > 40) }' && break
  sleep 0.5
done
echo "green pixels of the first row: $green"
awk -v g="$green" 'BEGIN { exit !(g > 40) }' || { echo "the first row is not highlighted"; exit 1; }
kill -0 "$game" || { echo "the game ended"; exit 1; }
echo "ok"
