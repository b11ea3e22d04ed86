# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the scripts that run the game in a real window:
#   start_xvfb WORK_FOLDER   (sets DISPLAY and xvfb, the server's process)
# The server picks a free display itself (-displayfd), so a run beside
# another program's display never drives that program.
start_xvfb() {
  local work=$1 fifo number
  fifo=$work/xvfb-display
  rm -f "$fifo"
  mkfifo "$fifo"
  Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp 9>"$fifo" >"$work/xvfb.log" 2>&1 &
  xvfb=$!
  # The server writes the number once it listens; an empty read means it died.
  read -r -t 30 number <"$fifo" || true
  rm -f "$fifo"
  if [[ ! "$number" =~ ^[0-9]+$ ]] || ! kill -0 "$xvfb" 2>/dev/null; then
    echo "Xvfb did not start:"; cat "$work/xvfb.log"
    return 1
  fi
  export DISPLAY=:$number
  xdpyinfo >/dev/null 2>&1 || { echo "Xvfb on $DISPLAY does not answer"; return 1; }
}

# wait_window TEXT [TRIES]: prints the id of the first top-level window whose
# line in xwininfo holds TEXT (the name comes in quotes: '"Plumix'), looking
# every 0.2 s for TRIES times (default 150).
wait_window() {
  local id
  for _ in $(seq "${2:-150}"); do
    # xdotool does not match every kind of window name, so ask the server.
    id=$(xwininfo -root -children 2>/dev/null | grep -F "$1" | grep -oE '0x[0-9a-f]+' | head -1 || true)
    [[ -n "$id" ]] && { echo "$id"; return 0; }
    sleep 0.2
  done
  return 1
}
