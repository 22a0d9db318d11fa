#!/usr/bin/env bash
# `cmake --install` into a staging folder, moved elsewhere afterwards: the files a desktop
# needs are there and valid, and the installed game, started from an unrelated working
# folder with its data folder read-only, finds its data and keeps resolucion.cfg in the
# user's config folder.
set -euo pipefail
build=$1
work=$2
fail() { echo "FAIL: $*"; exit 1; }
chmod -R u+w "$work" 2>/dev/null || true
rm -rf "$work"
mkdir -p "$work"
cmake --install "$build" --prefix "$work/stage" > "$work/install.log"

app=es.frikipartida.Frikipartida
# The tree moves as a whole: nothing in it may depend on the prefix it was installed to.
mkdir -p "$work/moved"
mv "$work/stage" "$work/moved/usr"
prefix=$work/moved/usr
share=$prefix/share
[ -x "$prefix/bin/frikipartida" ] || fail "no game in bin/"
[ -f "$share/frikipartida/anim/pjs.vba" ] || fail "no data in share/frikipartida/"
[ -f "$share/frikipartida/artwork/comic.ttf" ] || fail "no font in the data"
[ -z "$(find "$share/frikipartida" -name '*.cfg' -o -name '.*' -not -name .)" ] || fail "settings or stamps were installed"
for size in 16 24 32 48 64 128 256 512; do
  icon=$share/icons/hicolor/${size}x${size}/apps/$app.png
  [ -f "$icon" ] || fail "no ${size}x${size} icon"
  # PNG width and height, big-endian at bytes 16..23.
  dims=$(od -An -tu1 -j16 -N8 "$icon" | awk '{print $3*256+$4 "x" $7*256+$8}')
  [ "$dims" = "${size}x${size}" ] || fail "the ${size}x${size} icon is $dims"
done
desktop-file-validate "$share/applications/$app.desktop" || fail "desktop entry not valid"
grep -q "^Icon=$app$" "$share/applications/$app.desktop" || fail "the desktop entry names another icon"
appstreamcli validate --no-net "$share/metainfo/$app.metainfo.xml" > "$work/appstream.log" 2>&1 ||
  { cat "$work/appstream.log"; fail "AppStream metadata not valid"; }
man=$share/man/man6/frikipartida.6.gz
[ -f "$man" ] || fail "no man page"
for option in $("$prefix/bin/frikipartida" --help | awk '$1 ~ /^--/ {print $1}'); do
  zcat "$man" | grep -qF -- "$(printf '%s' "$option" | sed 's/-/\\-/g')" || fail "the man page does not explain $option"
done

chmod -R a-w "$share/frikipartida"
mkdir -p "$work/elsewhere"
cd "$work/elsewhere"
printf '1 key Escape press\n' > script.txt
run() {
  set +e
  "$prefix/bin/frikipartida" --headless --virtual-clock --seed 1 --script script.txt --trace trace.jsonl \
    --max-flips 40 --shot 40:menu.png > out.txt 2> err.txt
  code=$?
  set -e
  [ $code -eq 3 ] || { cat out.txt err.txt; fail "exit code $code"; }
  grep -q '"op":"text","text":"Jugar"' trace.jsonl || fail "the main menu was not drawn"
  [ -s menu.png ] || fail "the shot was not written in the working folder"
  rm -f menu.png
}
export XDG_CONFIG_HOME=$work/config
run
printf '1024 768\r\n' | cmp -s - "$XDG_CONFIG_HOME/frikipartida/resolucion.cfg" || fail "resolucion.cfg not in the config folder"
[ ! -e resolucion.cfg ] || fail "resolucion.cfg written in the working folder"
[ ! -e "$share/frikipartida/resolucion.cfg" ] || fail "resolucion.cfg written in the data folder"

# A config folder that cannot be made: said once, and the game plays on with the defaults.
printf 'x' > "$work/not-a-folder"
export XDG_CONFIG_HOME=$work/not-a-folder
run
[ "$(grep -c 'No se pueden guardar los ajustes' err.txt)" -eq 1 ] || { cat err.txt; fail "the unwritable folder was not reported once"; }
chmod -R u+w "$work"
echo ok
