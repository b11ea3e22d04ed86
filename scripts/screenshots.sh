#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the README's pictures in docs/ with the game itself, headless: the
# title, play with specials and a disaster, the options panel, the editor.
#   scripts/screenshots.sh [BUILD]      (default build/)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target plumix_tests
PLUMIX_SCREENSHOTS=$PWD/docs SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
  "$build/tests/plumix_tests" --gtest_filter='Screenshots.*'
ls -l docs/*.png
