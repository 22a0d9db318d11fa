#!/usr/bin/env bash
# Damaged and missing data files: the game starts, reaches the main menu and keeps
# playing, and standard error names each damaged file once with what is wrong with it.
# The untouched data gives no such line at all. Started where there is no data at all, it
# says so in one message, writes nothing anywhere and exits with code 2.
. "$(dirname "$0")/common.sh"
printf '1 key Escape press\n' > script.txt
run() {
  set +e
  "$game" --headless --virtual-clock --seed 1 --script script.txt --trace trace.jsonl --max-flips 80 \
    > out.txt 2> err.txt
  code=$?
  set -e
  [ $code -eq 3 ] || { cat out.txt err.txt; fail "exit code $code"; }
  grep -q '"text":"Jugar"' trace.jsonl || { cat err.txt; fail "the main menu did not show"; }
}
run
[ ! -s err.txt ] || { cat err.txt; fail "complaints about the untouched data"; }

# A folder of our own whose files link to the data, so that some can be replaced.
own() {
  rm "$1"
  mkdir "$1"
  for f in "$data/$1"/*; do ln -s "$f" "$1/"; done
}
own artwork
own sfx
own music
own anim
cut() { rm "$1"; head -c "$2" "$data/$1" > "$1"; }
rm artwork/titulo.png
cut artwork/corazon.png 300
rm artwork/fondo-minijuego1.png; echo "not a picture" > artwork/fondo-minijuego1.png
cut artwork/trep-logo.jpg 2000
cut sfx/boing.wav 100
rm sfx/hey.wav; : > sfx/hey.wav
cut music/menu.ogg 5000
cut artwork/comic.ttf 20
cut anim/pjs.vba 9210
run

expect() {
  grep -qxF "frikipartida: $1" err.txt || { cat err.txt; fail "no line \"$1\""; }
}
expect "artwork/titulo.png: missing"
expect "artwork/corazon.png: PNG cut short"
expect "artwork/fondo-minijuego1.png: not a PNG or JPEG picture"
expect "artwork/trep-logo.jpg: JPEG cut short"
expect "sfx/boing.wav: WAV cut short"
expect "sfx/hey.wav: empty file"
expect "music/menu.ogg: Ogg cut short"
expect "artwork/comic.ttf: not a font FreeType can read (damaged or cut short)"
expect "anim/pjs.vba: animation set cut short inside animation 7 (9210 bytes)"
lines=$(wc -l < err.txt)
[ "$lines" -eq 9 ] || { cat err.txt; fail "$lines lines on standard error, not one per damaged file"; }

mkdir -p nodata/config
set +e
(cd nodata && XDG_CONFIG_HOME=$PWD/config "$game" --headless --virtual-clock --max-flips 5 > ../nodata.txt 2>&1)
code=$?
set -e
[ $code -eq 2 ] || { cat nodata.txt; fail "without data: exit code $code"; }
[ "$(wc -l < nodata.txt)" -eq 1 ] || { cat nodata.txt; fail "without data: not one message"; }
grep -q "No se encuentran los datos del juego (anim/pjs.vba) en la carpeta actual ($PWD/nodata)" nodata.txt &&
  grep -qF -- "--data CARPETA" nodata.txt && grep -q FRIKIPARTIDA_DATA nodata.txt && grep -qF ./run nodata.txt ||
  { cat nodata.txt; fail "the message does not say where it looked and what to do"; }
[ -z "$(find nodata -mindepth 1 ! -path nodata/config)" ] && [ -z "$(ls -A nodata/config)" ] ||
  fail "a start without data wrote $(find nodata -mindepth 1)"
echo ok
