#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# plumix-editor on the command line: --help and --version answer and end;
# without a display it says so and ends at once instead of running unseen.
set -euo pipefail
build=${1:?build folder}
editor="$build/game/plumix-editor"
[[ -x "$editor" ]] || { echo "no plumix-editor"; exit 77; }
out=$("$editor" --help)
grep -q "^Usage: plumix-editor" <<<"$out" || { echo "--help: $out"; exit 1; }
[[ "$("$editor" --version)" =~ ^plumix-editor\ \(Plumix\ Adventure\)\ [0-9]+\.[0-9]+ ]] || { echo "--version"; exit 1; }
if "$editor" --bogus 2>/dev/null; then echo "an unknown option was taken"; exit 1; fi
set +e
err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 10 "$editor" 2>&1 >/dev/null)
code=$?
set -e
((code != 0 && code != 124)) || { echo "without a display: exit $code"; exit 1; }
grep -qi "display" <<<"$err" || { echo "without a display, no word of it: $err"; exit 1; }
echo "ok"
