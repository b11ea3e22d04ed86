#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The game on the desktops it meets: under X its window's class is the
# desktop entry's id; under a nested weston (no GPU render node needed) it
# draws its first frame natively on Wayland; with both it stays on X.
set -euo pipefail
build=${1:?build folder}
for tool in Xvfb weston xprop xwininfo; do
  command -v "$tool" >/dev/null || { echo "$tool missing (scripts/deps.sh --test)"; exit 77; }
done
work=$(mktemp -d /tmp/plumix-wayland.XXXXXX)
chmod 700 "$work"
cleanup() {
  [[ -n "${game:-}" ]] && kill "$game" 2>/dev/null || true
  [[ -n "${compositor:-}" ]] && kill "$compositor" 2>/dev/null || true
  [[ -n "${xvfb:-}" ]] && kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
cp -r "$build/game" "$work/game"
source "$(dirname "$0")/../../scripts/xvfb.bash"  # wait_window; this test wants a larger screen
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [[ -s "$work/display" ]] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display") SDL_AUDIODRIVER=dummy XDG_RUNTIME_DIR=$work
unset WAYLAND_DISPLAY SDL_VIDEODRIVER
id=com.ostrelgames.plumixadventure

first_frame() {  # log: waits up to 30 s for the first shown frame
  for _ in $(seq 150); do
    grep -q "first frame shown" "$1" && return 0
    kill -0 "$game" 2>/dev/null || return 1
    sleep 0.2
  done
  return 1
}
stop_game() {
  kill "$game" 2>/dev/null || true
  wait "$game" 2>/dev/null || true
  game=
}

# X: the window class ties the window to the launcher.
"$work/game/plumix" --window --report-start >"$work/x.log" 2>&1 &
game=$!
window=$(wait_window '"Plumix Adventure' 100) || { echo "no game window on X"; cat "$work/x.log"; exit 1; }
class=$(xprop -id "$window" WM_CLASS)
echo "X: $class"
[[ "$class" == *"\"$id\", \"$id\""* ]] || { echo "the window class is not $id"; exit 1; }
stop_game

# A nested weston in the X server; pixman draws, no GPU.
weston --backend=x11-backend.so --socket=plumix-wayland --width=1100 --height=800 \
  --no-config >"$work/weston.log" 2>&1 &
compositor=$!
for _ in $(seq 100); do [[ -S "$work/plumix-wayland" ]] && break; sleep 0.1; done
[[ -S "$work/plumix-wayland" ]] || { echo "weston did not start, skipped"; cat "$work/weston.log"; exit 77; }

WAYLAND_DISPLAY=plumix-wayland SDL_VIDEODRIVER=wayland \
  "$work/game/plumix" --window --report-start >"$work/wayland.log" 2>&1 &
game=$!
first_frame "$work/wayland.log" || { echo "no frame on Wayland"; cat "$work/wayland.log"; exit 1; }
sleep 1
kill -0 "$game" || { echo "the game ended on Wayland"; cat "$work/wayland.log"; exit 1; }
echo "Wayland: $(grep "first frame" "$work/wayland.log")"
if grep -q "Plumix Adventure:" "$work/wayland.log"; then cat "$work/wayland.log"; exit 1; fi
stop_game

# Both there: X stays the default.
WAYLAND_DISPLAY=plumix-wayland "$work/game/plumix" --window --report-start >"$work/both.log" 2>&1 &
game=$!
wait_window '"Plumix Adventure' 100 >/dev/null || { echo "with X and Wayland the game did not open on X"; cat "$work/both.log"; exit 1; }
echo "X and Wayland: the game opens on X"
stop_game
