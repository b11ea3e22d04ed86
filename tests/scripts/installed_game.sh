#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# cmake --install into a temporary prefix gives a working game: valid desktop
# entry and metainfo, every icon size, and an installed game that starts
# headless, keeps its settings in the player's config folder and writes
# nothing into its own read-only share folder.
set -euo pipefail
build=${1:?build folder}
work=$(mktemp -d /tmp/plumix-install.XXXXXX)
trap '[[ -n "${game:-}" ]] && kill "$game" 2>/dev/null; rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/usr" >/dev/null
share=$work/usr/share
id=com.ostrelgames.plumixadventure
bin=$(sed -n 's/^PLUMIX_INSTALL_GAMESDIR:[A-Z]*=//p' "$build/CMakeCache.txt")
for f in $bin/plumix $bin/plumix-adventure share/games/plumix-adventure/Adventures/PlumixAcademy.paf \
         share/games/plumix-adventure/Music/Track1.mid share/man/man6/plumix.6.gz \
         share/icons/hicolor/256x256/apps/$id.png share/icons/hicolor/16x16/apps/$id.png; do
  [[ -e "$work/usr/$f" ]] || { echo "not installed: $f"; exit 1; }
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$share/applications/$id.desktop"
fi
# Below a prefix other than /usr the launcher names the executable by its path.
grep -qx "Exec=$work/usr/$bin/plumix" "$share/applications/$id.desktop" ||
  { echo "the launcher does not start $work/usr/$bin/plumix"; exit 1; }
if [[ -e "$work/usr/$bin/plumix-editor" ]]; then
  desktop-file-validate "$share/applications/$id.Editor.desktop"
  [[ -e "$share/icons/hicolor/48x48/apps/$id.Editor.png" ]] || { echo "no editor icon"; exit 1; }
fi
# The icons are transparent around their shape.
if command -v identify >/dev/null; then
  corner=$(convert "$share/icons/hicolor/64x64/apps/$id.png" -format "%[fx:p{0,0}.a]" info:)
  [[ "$corner" == 0 ]] || { echo "the icon's corner is not transparent ($corner)"; exit 1; }
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --pedantic --no-net "$share/metainfo/$id.metainfo.xml" >/dev/null
fi

chmod -R a-w "$share/games/plumix-adventure"
before=$(cd "$share/games" && find . -type f -exec md5sum {} + | sort)
export XDG_RUNTIME_DIR=$work XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
(cd / && exec "$work/usr/$bin/plumix" --window) >"$work/game.log" 2>&1 &
game=$!
for _ in $(seq 600); do [[ -f "$work/config/plumix-adventure/Settings.set" ]] && break; sleep 0.1; done
sleep 0.5
kill -TERM "$game"
status=0
wait "$game" || status=$?
game=
cat "$work/game.log"
[[ $status -eq 0 ]] || { echo "the installed game ended with $status"; exit 1; }
[[ -s "$work/config/plumix-adventure/Settings.set" ]] || { echo "no settings in the config folder"; exit 1; }
if grep -q "Plumix Adventure:" "$work/game.log"; then echo "the installed game reported errors"; exit 1; fi
after=$(cd "$share/games" && find . -type f -exec md5sum {} + | sort)
[[ "$before" == "$after" ]] || { echo "the share folder changed"; exit 1; }
echo "installed game ran and kept its settings in $XDG_CONFIG_HOME"
