#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The editor in a real window under Xvfb: the window's title names the file
# it opened, Ctrl+S writes that very file and no other, and Ctrl+Q with
# unsaved changes asks first: Cancel keeps it running, Discard ends it.
set -euo pipefail
build=${1:?build folder}
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || { echo "Xvfb/xdotool missing"; exit 77; }
work=$(mktemp -d /tmp/plumix-editor-window.XXXXXX)
cleanup() {
  [[ -n "${editor:-}" ]] && kill "$editor" 2>/dev/null || true
  [[ -n "${xvfb:-}" ]] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
cp -r "$build/game" "$work/game"
cp "$work/game/Adventures/CrystalCaverns.paf" "$work/mine.paf"
source "$(dirname "$0")/../../scripts/xvfb.bash"
start_xvfb "$work" || exit 1
export SDL_AUDIODRIVER=dummy XDG_RUNTIME_DIR=$work HOME=$work
export XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config

"$work/game/plumix-editor" "$work/mine.paf" >"$work/editor.log" 2>&1 &
editor=$!
id=$(wait_window '"mine.paf - Plumix Adventure Editor"') || { echo "no editor window named after the file"; cat "$work/editor.log"; exit 1; }
before=$(md5sum <"$work/mine.paf")
# Edge from the palette, then a cell of the board's middle.
xdotool windowfocus --sync "$id" key 3
sleep 0.3
xdotool mousemove 370 370 click 1
wait_window '"*mine.paf' >/dev/null || { echo "no mark of unsaved changes in the title"; exit 1; }
xdotool key ctrl+s
for _ in $(seq 50); do [[ "$(md5sum <"$work/mine.paf")" != "$before" ]] && break; sleep 0.1; done
[[ "$(md5sum <"$work/mine.paf")" != "$before" ]] || { echo "Ctrl+S did not write the opened file"; exit 1; }
[[ -z "$(find "$work" -name 'New Adventure.paf')" ]] || { echo "a file the designer did not choose was written"; exit 1; }
wait_window '"mine.paf - ' >/dev/null || { echo "the title still shows unsaved changes"; exit 1; }

xdotool mousemove 395 370 click 1
sleep 0.3
xdotool key ctrl+q
sleep 1
kill -0 "$editor" 2>/dev/null || { echo "Ctrl+Q threw the changes away without asking"; exit 1; }
xdotool key Escape  # Cancel
sleep 0.5
kill -0 "$editor" 2>/dev/null || { echo "Cancel ended the editor"; exit 1; }
xdotool key ctrl+q
sleep 0.5
xdotool key Right Return  # Discard
for _ in $(seq 50); do kill -0 "$editor" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$editor" 2>/dev/null; then echo "Discard did not end the editor"; exit 1; fi
wait "$editor" || { echo "the editor ended with an error"; exit 1; }
editor=
echo "ok"
