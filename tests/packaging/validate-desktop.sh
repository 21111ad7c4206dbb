#!/usr/bin/env bash
# Validates the generated desktop entries and the AppStream metainfo files.
set -euo pipefail
generated=$1
sources=$2
for game in Zorvat Quendle; do
    desktop-file-validate "$generated/org.halvoria.$game.desktop"
    appstreamcli validate --no-net --pedantic "$sources/org.halvoria.$game.metainfo.xml"
    grep -q "^Exec=/opt/halvoria/$game$" "$generated/org.halvoria.$game.desktop"
    grep -q '^Name\[ja\]=' "$generated/org.halvoria.$game.desktop"
done
echo "desktop entries and metainfo valid"
