#!/usr/bin/env bash
# `cpack -G DEB` makes the Debian package: the game, its data and desktop files under
# /usr, and dependencies read from the binary.
set -euo pipefail
build=$1
work=$2
fail() { echo "FAIL: $*"; exit 1; }
rm -rf "$work"
mkdir -p "$work"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" > "$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/frikipartida_*.deb)
dpkg-deb -c "$deb" | awk '{print $6}' > "$work/files.txt"
app=es.frikipartida.Frikipartida
for file in ./usr/bin/frikipartida ./usr/share/frikipartida/anim/pjs.vba ./usr/share/frikipartida/artwork/comic.ttf \
            ./usr/share/applications/$app.desktop ./usr/share/metainfo/$app.metainfo.xml \
            ./usr/share/icons/hicolor/48x48/apps/$app.png ./usr/share/icons/hicolor/256x256/apps/$app.png \
            ./usr/share/man/man6/frikipartida.6.gz; do
  grep -qx -- "$file" "$work/files.txt" || fail "the package lacks $file"
done
grep -Ev '^\./usr/(bin|share)/' "$work/files.txt" | grep -v '^\./usr/$' | grep -q . && fail "files outside /usr/bin and /usr/share"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libsdl2-2.0-0 libpng16-16 libfreetype6 libvorbisfile3 libjpeg62-turbo libenet7 libc6; do
  [[ "$depends" == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "not in the games section"
echo ok
