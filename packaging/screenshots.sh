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
# The minigames added to the five, from the practice menu (Up from the top reaches the
# last line, "Volver", and goes on up the list): the first explanation page, then play.
explicacion_y_juego() {  # Up presses, name, play lines...
  local ups=$1 name=$2
  shift 2
  local camino=('1 key Escape press' '20 key Down press' '22 key Enter press')
  for ((i = 0; i < ups; i++)); do camino+=("$((40 + 2 * i)) key Up press"); done
  camino+=('60 key Enter press')
  shoot 200 "$name-explicacion.png" "${camino[@]}"
  shoot 700 "$name.png" "${camino[@]}" '210 key Enter press' '300 type x' "$@"
}
explicacion_y_juego 4 apagon '400 mouse 430 560' '430 key B down' '500 key Q down' '520 key P down'
explicacion_y_juego 3 compilando '380 mouse 300 300' '400 key Q press' '410 key B press' '420 key P press' \
  '430 key Q press' '440 key B press' '450 key P press' '460 key Q press' '470 key B press' '480 key P press'
explicacion_y_juego 2 bolas '420 mouse 800 600' '600 key Q press' '640 key B press' '660 key O press'

# The first logo after 3 seconds: "Pulsa una tecla" in its corner.
shoot 200 pulsa-una-tecla.png '# no key: the logo waits'
# Practice, "Lanzamiento de CDs": the explanation page of the player on turn, with the
# line that says how a CD is thrown.
shoot 150 explicacion-cds.png '1 key Escape press' '20 key Down press' '22 key Enter press' '40 key Down press' \
  '41 key Down press' '42 key Down press' '43 key Down press' '45 key Enter press'
# Full screen at 1920x1080 (its own settings folder): the 4:3 picture between bars.
mkdir -p wide/frikipartida
printf '1920 1080\r\n' > wide/frikipartida/resolucion.cfg
XDG_CONFIG_HOME=$work/wide shoot 19 barras-1920x1080.png '1 key Escape press'
# A match paused in its first minigame.
shoot 1230 pausa.png '1 key Escape press' '20 key Enter press' '150 key A press' '600 key Space press' \
  '850 key Space press' '1200 key Escape press'
# The standings bar on the board, at 4:3 and in a 16:9 window with the picture's shape kept.
shoot 450 clasificacion.png '1 key Escape press' '20 key Enter press'
mkdir -p ancho/frikipartida
printf '1280 720\r\n' > ancho/frikipartida/resolucion.cfg
XDG_CONFIG_HOME=$work/ancho shoot 450 clasificacion-16x9.png '1 key Escape press' '20 key Enter press'
# A saved match near its end: the menu offers it, and resumed, it ends on the podium.
here=$(dirname "$(realpath "${BASH_SOURCE[0]}")")
cp "$here/partida_casi_acabada.guardada" config/frikipartida/partida.guardada
shoot 19 continuar.png '1 key Escape press'
cp "$here/partida_casi_acabada.guardada" config/frikipartida/partida.guardada
shoot 42730 podio.png '1 key Escape press' '20 key Enter press'
