#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures the game as a player runs it: in a real window under Xvfb
# (software OpenGL), music playing through the dummy audio device. It walks
# title -> main menu -> level info -> play -> pause -> game over and samples
# each screen's CPU time (share of one core, from /proc/PID/stat) and memory
# (resident, and its peak), then the time from launch to the first frame.
#
#   scripts/measure.sh [GAME] [SECONDS]    (default build/game/plumix, 20 s)
#
# Needs Xvfb, xdotool and xwininfo (scripts/deps.sh --test). The machine
# should be otherwise idle; the figures are per process, but 2 busy cores
# still slow presenting down.
set -euo pipefail
game=$(realpath "${1:-build/game/plumix}")
seconds=${2:-20}
work=$(mktemp -d /tmp/plumix-measure.XXXXXX)
cleanup() {
  [[ -n "${pid:-}" ]] && kill "$pid" 2>/dev/null || true
  [[ -n "${xvfb:-}" ]] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
# A portable copy, so that the measured game's settings start fresh.
cp -r "$(dirname "$game")" "$work/game"
rm -f "$work/game/Settings.set"
source "$(dirname "$0")/xvfb.bash"
start_xvfb "$work" || exit 1
export SDL_AUDIODRIVER=dummy XDG_RUNTIME_DIR=$work

ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
kb() { awk -v k="$1:" '$1 == k { print $2 }' "/proc/$pid/status"; }
find_window() {  # sets window, or leaves it empty after 10 s
  window=
  for _ in $(seq 200); do
    window=$(xdotool search --name Plumix 2>/dev/null | head -1 || true)
    [[ -n "$window" ]] && break
    sleep 0.05
  done
}
key() { xdotool key --window "$window" "$@"; sleep 1.2; }
sample() {  # screen name
  sleep 1
  local before after
  before=$(cpu_ticks)
  sleep "$seconds"
  after=$(cpu_ticks)
  printf '%-14s cpu %5.1f %%   rss %4d MB   peak %4d MB\n' "$1" \
    "$(echo "($after - $before) * 100 / ($ticks * $seconds)" | bc -l)" \
    $(($(kb VmRSS) / 1024)) $(($(kb VmHWM) / 1024))
}

start=$(date +%s%N)
"$work/game/$(basename "$game")" --window --report-start >"$work/game.log" 2>&1 &
pid=$!
find_window
[[ -n "$window" ]] || { echo "no game window"; cat "$work/game.log"; exit 1; }
shown=$(date +%s%N)
echo "window mapped after $(((shown - start) / 1000000)) ms"

xdotool windowfocus --sync "$window" 2>/dev/null || true

sample "title"
grep -h "first frame" "$work/game.log" || true
key Return
sample "main menu"
key Return Return        # the list, then the first adventure: the game menu
key Return               # Start Adventure: the level-info screen
sample "level info"
key Return
sample "play"
key p
sample "pause"
key p Escape y           # resume, then give up: the game-over screen
sample "game over"

# Quitting: Y to the main menu's question until the process has ended.
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
"$work/game/$(basename "$game")" --window >>"$work/game.log" 2>&1 &
pid=$!
find_window
sleep 1
key Return Escape
asked=$(date +%s%N)
xdotool key --window "$window" y
wait "$pid" || true
echo "quit after Y   $((($(date +%s%N) - asked) / 1000000)) ms"
pid=
