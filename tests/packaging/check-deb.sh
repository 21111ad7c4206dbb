#!/usr/bin/env bash
# Builds the Debian package from a finished build and checks its layout, its metadata and its
# dependencies, then runs Debian's own checker, lintian, which must report no error or warning.
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || { cat "$out/cpack.log"; exit 1; }
deb=$(ls "$out"/*.deb)
contents=$(dpkg-deb --contents "$deb" | awk '{print $6}')
missing=0
lib=./usr/lib/games/halvoria
paths=("$lib/Zorvat" "$lib/Quendle" "$lib/music.mid" "$lib/music2.mid" "$lib/poka!.wav"
    "$lib/halvoria-media.so" ./usr/games/zorvat ./usr/games/quendle
    ./usr/share/man/man6/zorvat.6.gz ./usr/share/man/man6/quendle.6.gz
    ./usr/share/doc/halvoria-games/copyright ./usr/share/doc/halvoria-games/changelog.Debian.gz)
for game in Zorvat Quendle; do
    paths+=("./usr/share/applications/org.halvoria.$game.desktop"
        "./usr/share/metainfo/org.halvoria.$game.metainfo.xml")
    for size in 16 22 24 32 48 64 128 256; do
        paths+=("./usr/share/icons/hicolor/${size}x$size/apps/org.halvoria.$game.png")
    done
done
for path in "${paths[@]}"; do
    if ! grep -qxF "$path" <<<"$contents"; then
        echo "missing from package: $path"
        missing=1
    fi
done
# Nothing outside the Debian layout (no /opt, no /usr/local).
if grep -vE '^\./$|^\./usr/(lib/games/halvoria|games|share/(applications|metainfo|icons|man|doc|lintian))(/|$)|^\./usr/(lib|lib/games|share)/$|^\./usr/$' <<<"$contents"; then
    echo "the package holds files outside the Debian layout (above)"
    missing=1
fi
depends=$(dpkg-deb --field "$deb" Depends)
for dep in libc6 libqt6widgets6 libsdl2-mixer-2.0-0 qt6-qpa-plugins sf2-soundfont-gm fonts-ipafont-gothic; do
    grep -q "$dep" <<<"$depends" || { echo "Depends lacks $dep: $depends"; missing=1; }
done
grep -qx qt6-wayland <<<"$(dpkg-deb --field "$deb" Recommends)" || { echo "qt6-wayland not recommended"; missing=1; }
[ "$missing" = 0 ] || exit 1

dpkg-deb --extract "$deb" "$out/root"
# The commands on the path lead to the programs, which are executable and stripped.
for command in zorvat quendle; do
    target=$(readlink -f "$out/root/usr/games/$command")
    [ -x "$target" ] || { echo "/usr/games/$command leads to no program"; exit 1; }
    file "$target" | grep -q ', stripped' || { echo "$target is not stripped"; exit 1; }
done
# The media module beside the programs finds SDL2_mixer and the rest of its libraries.
if ldd "$out/root/usr/lib/games/halvoria/halvoria-media.so" | grep -q 'not found'; then
    echo "the media module lacks libraries:"; ldd "$out/root/usr/lib/games/halvoria/halvoria-media.so"; exit 1
fi

# Debian's checker: no error and no warning; the full list of tags is shown either way.
status=0
TMPDIR=$out lintian --pedantic --display-info --display-experimental --tag-display-limit 0 \
    --fail-on error,warning "$deb" >"$out/lintian.log" 2>&1 || status=$?
echo "lintian tags of $(basename "$deb"):"
cat "$out/lintian.log"
[ "$status" = 0 ] || { echo "lintian reports errors or warnings, or could not run (status $status)"; exit 1; }
echo "package $(basename "$deb") holds the games by the Debian layout and passes lintian"
