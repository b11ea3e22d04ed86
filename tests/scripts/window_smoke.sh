#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The game in a real window under Xvfb: it starts on its title screen, and a
# second copy shows its message, ends when it is answered, and leaves the
# first one running.
set -euo pipefail
build=${1:?build folder}
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || { echo "Xvfb/xdotool missing"; exit 77; }
work=$(mktemp -d /tmp/plumix-window.XXXXXX)
cleanup() {
  [[ -n "${first:-}" ]] && kill "$first" 2>/dev/null || true
  [[ -n "${second:-}" ]] && kill "$second" 2>/dev/null || true
  [[ -n "${xvfb:-}" ]] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
cp -r "$build/game" "$work/game"
source "$(dirname "$0")/../../scripts/xvfb.bash"
start_xvfb "$work" || exit 1
export SDL_AUDIODRIVER=dummy XDG_RUNTIME_DIR=$work


"$work/game/plumix" --window >"$work/first.log" 2>&1 &
first=$!
wait_window '"Plumix' 300 >/dev/null || { echo "no game window"; cat "$work/first.log"; exit 1; }
sleep 2
import -window root "$work/shot.png"
mean=$(convert "$work/shot.png" -format "%[fx:mean]" info:)
echo "title screen mean brightness: $mean"
awk -v m="$mean" 'BEGIN { exit !(m > 0.02) }' || { echo "the screen stayed black"; exit 1; }

# Alt+Enter belongs to the window: the title screen must not take it as Enter.
game=$(wait_window '"Plumix' 5)
xdotool windowfocus --sync "$game" key alt+Return
sleep 1.5
import -window root "$work/alt.png"
changed=$(compare -metric AE -fuzz 10% "$work/shot.png" "$work/alt.png" null: 2>&1 || true)
echo "pixels changed by Alt+Enter: $changed"
[[ "$changed" =~ ^[0-9]+$ ]] && ((changed < 20000)) || { echo "Alt+Enter left the title screen"; exit 1; }
xdotool windowfocus --sync "$game" key Return
# The menu fades in; on a busy machine that takes a while, so look until it is there.
for _ in $(seq 40); do
  sleep 0.5
  import -window root "$work/menu.png"
  changed=$(compare -metric AE -fuzz 10% "$work/shot.png" "$work/menu.png" null: 2>&1 || true)
  [[ "$changed" =~ ^[0-9]+$ ]] && ((changed > 100000)) && break
done
echo "pixels changed by Enter: $changed"
[[ "$changed" =~ ^[0-9]+$ ]] && ((changed > 100000)) || { echo "Enter did not open the menu"; exit 1; }

"$work/game/plumix" --window >"$work/second.log" 2>&1 &
second=$!
box=$(wait_window '"Error' 300) || { echo "no message for the second copy"; cat "$work/second.log"; exit 1; }
xdotool windowfocus --sync "$box" key Return
for _ in $(seq 50); do kill -0 "$second" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$second" 2>/dev/null; then echo "the second copy did not end"; exit 1; fi
wait "$second" || true
second=
kill -0 "$first" || { echo "the first copy ended"; exit 1; }
echo "ok"
