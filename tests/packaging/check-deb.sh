#!/usr/bin/env bash
# Builds the Debian package from a finished build and checks its contents and dependencies.
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || { cat "$out/cpack.log"; exit 1; }
deb=$(ls "$out"/*.deb)
contents=$(dpkg-deb --contents "$deb" | awk '{print $NF}')
missing=0
for path in ./opt/halvoria/Zorvat ./opt/halvoria/Quendle ./opt/halvoria/music.mid ./opt/halvoria/music2.mid \
    './opt/halvoria/poka!.wav' ./opt/halvoria/halvoria-media.so \
    ./usr/share/applications/org.halvoria.Zorvat.desktop ./usr/share/applications/org.halvoria.Quendle.desktop \
    ./usr/share/metainfo/org.halvoria.Zorvat.metainfo.xml ./usr/share/metainfo/org.halvoria.Quendle.metainfo.xml \
    ./usr/share/icons/hicolor/32x32/apps/org.halvoria.Zorvat.png ./usr/share/icons/hicolor/256x256/apps/org.halvoria.Quendle.png; do
    if ! grep -qxF "$path" <<<"$contents"; then
        echo "missing from package: $path"
        missing=1
    fi
done
depends=$(dpkg-deb --field "$deb" Depends)
for dep in libqt6widgets6 libsdl2-mixer-2.0-0 timgm6mb-soundfont fonts-ipafont-gothic; do
    grep -q "$dep" <<<"$depends" || { echo "Depends lacks $dep: $depends"; missing=1; }
done
[ "$missing" = 0 ] || exit 1
# The programs in the package are executable.
executables=$(dpkg-deb --contents "$deb" | grep -E '\./opt/halvoria/(Zorvat|Quendle)$' | grep -c '^-rwx' || true)
[ "$executables" = 2 ] || { echo "programs not executable"; exit 1; }
# The media module beside the programs finds SDL2_mixer and the rest of its libraries.
dpkg-deb --extract "$deb" "$out/root"
if ldd "$out/root/opt/halvoria/halvoria-media.so" | grep -q 'not found'; then
    echo "the media module lacks libraries:"; ldd "$out/root/opt/halvoria/halvoria-media.so"; exit 1
fi
echo "package $(basename "$deb") holds the game folder, desktop files and icons"
