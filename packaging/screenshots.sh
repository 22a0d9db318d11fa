#!/usr/bin/env bash
# Takes the screenshots of the AppStream metadata and the README with the rig, at 640 by
# 480 (a resolucion.cfg of that size in a config folder of their own):
#   packaging/screenshots.sh build/frikipartida build/data packaging/screenshots
set -euo pipefail
game=$(realpath "$1")
data=$(realpath "$2")
mkdir -p "$3"
out=$(realpath "$3")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir -p config/frikipartida
printf '640 480\r\n' > config/frikipartida/resolucion.cfg
export XDG_CONFIG_HOME=$work/config SDL_AUDIODRIVER=dummy
shoot() {  # flip of the shot, output name, script lines...
  local flip=$1 name=$2
  shift 2
  printf '%s\n' "$@" > script.txt
  "$game" --headless --virtual-clock --seed 3 --data "$data" --script script.txt --max-flips "$flip" \
    --shot "$flip:$out/$name" > log.txt 2>&1 || [ $? -eq 3 ] || { cat log.txt; exit 1; }
}
# The main menu once it has slid in.
shoot 19 menu.png '1 key Escape press'
# A match: the roulette over the board, waiting for a key.
shoot 450 tablero.png '1 key Escape press' '20 key Enter press'
# Practice, the first minigame: both explanation pages passed, then a click to walk.
shoot 650 minijuego.png '1 key Escape press' '20 key Down press' '22 key Enter press' '60 key Enter press' \
  '210 key Enter press' '300 type x' '450 mouse 700 500' '460 button 1 down' '462 button 1 up' '470 key Q press'
# The players screen (Opciones, then "Jugadores"), Pexil just turned over to the computer.
shoot 70 jugadores.png '1 key Escape press' '12 key Down press' '13 key Down press' '14 key Enter press' \
  '30 key Up press' '31 key Up press' '32 key Enter press' '50 key Down press' '51 key Down press' \
  '52 key Down press' '53 key Right press'
# The first logo after 3 seconds: "Pulsa una tecla" in its corner.
shoot 200 pulsa-una-tecla.png '# no key: the logo waits'
# Practice, "Lanzamiento de CDs": the explanation page of the player on turn, with the
# line that says how a CD is thrown.
shoot 150 explicacion-cds.png '1 key Escape press' '20 key Down press' '22 key Enter press' '40 key Up press' \
  '41 key Up press' '45 key Enter press'
# Full screen at 1920x1080 (its own settings folder): the 4:3 picture between bars.
mkdir -p wide/frikipartida
printf '1920 1080\r\n' > wide/frikipartida/resolucion.cfg
XDG_CONFIG_HOME=$work/wide shoot 19 barras-1920x1080.png '1 key Escape press'
