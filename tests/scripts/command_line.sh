#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# --help and --version answer and exit at once, without a display, for the
# game, the editor and the designers' tool.
set -euo pipefail
build=${1:?build folder}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
for program in plumix plumix-editor plumix-adventure; do
  exe=$build/game/$program
  [[ -x "$exe" ]] || { echo "$program not built, skipped"; continue; }
  help=$(env -u DISPLAY -u WAYLAND_DISPLAY timeout 10 "$exe" --help) ||
    { echo "$program --help failed"; exit 1; }
  grep -q "^Usage: *$program" <<<"$help" || grep -q "^  *$program " <<<"$help" ||
    { echo "$program --help: $help"; exit 1; }
  grep -q -- "--version" <<<"$help" || { echo "$program --help names no --version"; exit 1; }
  answer=$(env -u DISPLAY -u WAYLAND_DISPLAY timeout 10 "$exe" --version) ||
    { echo "$program --version failed"; exit 1; }
  [[ "$answer" == "$program (Plumix Adventure) $version" ]] ||
    { echo "$program --version: $answer"; exit 1; }
  echo "$answer"
done
