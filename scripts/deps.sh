#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the build (with --test, the test suite; with
# --package, the Debian package's checks; with --fuzz, clang's libFuzzer and
# sanitizers) needs, only those that are missing. Runs apt-get as root, else
# through sudo.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config libsdl2-dev libsdl2-mixer-dev libsdl2-ttf-dev
          libjpeg62-turbo-dev libpng-dev libgtest-dev timgm6mb-soundfont)
for option in "$@"; do
  case "$option" in
    --test) packages+=(xvfb weston xdotool imagemagick xfonts-base x11-utils desktop-file-utils appstream bc python3-xlib) ;;
    # Checking the Debian package (cpack -G DEB, then lintian).
    --package) packages+=(lintian debhelper dpkg-dev desktop-file-utils appstream) ;;
    --fuzz) packages+=(clang libclang-rt-14-dev) ;;
  esac
done
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=""
  [[ $(id -u) -ne 0 ]] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
