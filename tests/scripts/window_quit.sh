#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every way of ending the game in a real window saves what the quit
# question's Y saves (here the F11 and F12 switches) and exits promptly with
# code 0: SIGTERM, SIGINT, the window's close button and Alt+F4. A start that
# cannot go on says why once and exits non-zero.
set -euo pipefail
build=${1:?build folder}
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || { echo "Xvfb/xdotool missing"; exit 77; }
/usr/bin/python3 -c 'import Xlib' 2>/dev/null || { echo "python3-xlib missing"; exit 77; }
work=$(mktemp -d /tmp/plumix-quit.XXXXXX)
cleanup() {
  [[ -n "${game:-}" ]] && kill -9 "$game" 2>/dev/null || true
  [[ -n "${xvfb:-}" ]] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
cp -r "$build/game" "$work/game"
rm -f "$work/game/Settings.set"
source "$(dirname "$0")/../../scripts/xvfb.bash"
start_xvfb "$work" || exit 1
export SDL_AUDIODRIVER=dummy XDG_RUNTIME_DIR=$work

switch() { od -An -tu1 -j "$1" -N1 "$work/game/Settings.set" | tr -d ' '; }  # byte offset
# What a window manager sends when the close button is pressed.
close_request() {
  /usr/bin/python3 - "$1" <<'PY'
import sys
from Xlib import X, display, protocol
d = display.Display()
w = d.create_resource_object('window', int(sys.argv[1], 16))
protocols, delete = d.intern_atom('WM_PROTOCOLS'), d.intern_atom('WM_DELETE_WINDOW')
w.send_event(protocol.event.ClientMessage(window=w, client_type=protocols, data=(32, [delete, X.CurrentTime, 0, 0, 0])))
d.flush()
PY
}

# run KEY HOW OFFSET: starts the game, presses KEY, ends it HOW, and checks
# the exit code, the time it took and that the switch at OFFSET was saved.
run() {
  local key=$1 how=$2 offset=$3 before after id rc start
  before=$( [[ -f "$work/game/Settings.set" ]] && switch "$offset" || echo 0)
  "$work/game/plumix" --window >"$work/game.log" 2>&1 &
  game=$!
  id=$(wait_window '"Plumix' 300) || { echo "no game window"; cat "$work/game.log"; exit 1; }
  sleep 1.5
  xdotool windowfocus --sync "$id" key "$key"
  sleep 0.5
  start=$(date +%s%N)
  case "$how" in
    TERM|INT) kill -"$how" "$game" ;;
    close) close_request "$id" ;;
    alt+F4) xdotool windowfocus --sync "$id" key alt+F4 ;;
  esac
  for _ in $(seq 50); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$game" 2>/dev/null; then echo "$how: the game did not end within 5 s"; exit 1; fi
  rc=0; wait "$game" || rc=$?
  game=
  after=$(switch "$offset")
  echo "$how: exit code $rc after $(( ($(date +%s%N) - start) / 1000000 )) ms; switch $before -> $after"
  ((rc == 0)) || { echo "$how: exit code $rc"; cat "$work/game.log"; exit 1; }
  [[ "$after" != "$before" ]] || { echo "$how: $key was not saved"; exit 1; }
}
run F12 TERM 536
run F11 INT 537
run F12 close 536
run F11 alt+F4 537

# No screen: said once, non-zero.
rc=0; env -u DISPLAY -u WAYLAND_DISPLAY "$work/game/plumix" --window >"$work/no.log" 2>&1 || rc=$?
said=$(grep -c "no screen was found" "$work/no.log" || true)
echo "no screen: exit code $rc, said $said times"
((rc != 0 && said == 1)) || { cat "$work/no.log"; exit 1; }
# A damaged installation (the executable without its files): the same.
mkdir "$work/alone" && cp "$work/game/plumix" "$work/alone/"
"$work/alone/plumix" --window >"$work/alone.log" 2>&1 &
game=$!
box=$(wait_window '"Plumix' 300) || { echo "no message box"; cat "$work/alone.log"; exit 1; }
xdotool windowfocus --sync "$box" key Return
for _ in $(seq 50); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game" 2>/dev/null && { echo "no game files: the game did not end"; exit 1; }
rc=0; wait "$game" || rc=$?
game=
said=$(grep -c "files are missing" "$work/alone.log" || true)
echo "no game files: exit code $rc, said $said times"
((rc != 0 && rc != 124 && said == 1)) || { cat "$work/alone.log"; exit 1; }
