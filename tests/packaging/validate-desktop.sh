#!/usr/bin/env bash
# Validates the generated desktop entries and the AppStream metainfo files.
set -euo pipefail
generated=$1
sources=$2
for game in Zorvat Quendle; do
    desktop-file-validate "$generated/org.halvoria.$game.desktop"
    appstreamcli validate --no-net --pedantic "$sources/org.halvoria.$game.metainfo.xml"
    command=$(tr '[:upper:]' '[:lower:]' <<<"$game")
    grep -qx "Exec=/usr/games/$command" "$generated/org.halvoria.$game.desktop"
    # The window's X11 class is the program's name (the Wayland app id is the entry's own name).
    grep -qx "StartupWMClass=$game" "$generated/org.halvoria.$game.desktop"
    grep -q '^Name\[ja\]=' "$generated/org.halvoria.$game.desktop"
done
echo "desktop entries and metainfo valid"
