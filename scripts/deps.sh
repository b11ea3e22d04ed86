#!/usr/bin/env bash
# Installs the Debian packages the build (and, with --test, the test suite;
# with --package, the Debian package's checks) needs, only those that are
# missing. Runs apt-get as root, else through sudo.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config libsdl2-dev libsdl2-mixer-dev libsdl2-ttf-dev
          libjpeg62-turbo-dev libpng-dev libgtest-dev timgm6mb-soundfont)
if [[ "${1:-}" == "--test" ]]; then
  packages+=(xvfb xdotool imagemagick xfonts-base x11-utils desktop-file-utils appstream bc)
fi
# Checking the Debian package (cpack -G DEB, then lintian).
if [[ "${1:-}" == "--package" ]]; then
  packages+=(lintian desktop-file-utils appstream)
fi
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
