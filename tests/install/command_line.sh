#!/usr/bin/env bash
# The command line of a desktop program (--help, --version, an unknown option), where the
# data is looked for (FRIKIPARTIDA_DATA, --data), and a start without any display.
set -euo pipefail
game=$1
data=$2
work=$3
fail() { echo "FAIL: $*"; exit 1; }
rm -rf "$work"
mkdir -p "$work"
cd "$work"

"$game" --help > help.txt || fail "--help exit code $?"
for option in --window --headless --virtual-clock --script --trace --shot --max-flips --seed \
              --frame-times --data --help --version; do
  [ "$(grep -c -- "^  $option[ =]" help.txt)" -eq 1 ] || { cat help.txt; fail "--help does not list $option once"; }
done
"$game" --version > version.txt || fail "--version exit code $?"
grep -Eq '^frikipartida [0-9]+\.[0-9]+\.[0-9]+$' version.txt || fail "--version printed: $(cat version.txt)"
set +e
"$game" --nope > unknown.txt 2>&1
code=$?
set -e
[ $code -ne 0 ] || fail "an unknown option exits with 0"
grep -q 'Opcion desconocida: --nope' unknown.txt || fail "the unknown option is not named"
grep -q -- '--help' unknown.txt || fail "no --help hint"

# Data from FRIKIPARTIDA_DATA, then from --data (which wins); settings go to the config folder.
printf '1 key Escape press\n' > script.txt
export XDG_CONFIG_HOME=$work/config
FRIKIPARTIDA_DATA=$data "$game" --headless --virtual-clock --script script.txt --trace env.jsonl --max-flips 40 \
  > out.txt 2>&1 || [ $? -eq 3 ] || { cat out.txt; fail "FRIKIPARTIDA_DATA run"; }
grep -q '"text":"Jugar"' env.jsonl || fail "FRIKIPARTIDA_DATA: the main menu was not drawn"
FRIKIPARTIDA_DATA=$work/missing "$game" --headless --virtual-clock --script script.txt --trace opt.jsonl \
  --max-flips 40 --data "$data" > out.txt 2>&1 || [ $? -eq 3 ] || { cat out.txt; fail "--data run"; }
grep -q '"text":"Jugar"' opt.jsonl || fail "--data: the main menu was not drawn"
[ -f config/frikipartida/resolucion.cfg ] && [ ! -e resolucion.cfg ] || fail "resolucion.cfg went to the wrong folder"
set +e
"$game" --headless --data "$work/missing" > missing.txt 2>&1
code=$?
set -e
[ $code -ne 0 ] && grep -q "no existe la carpeta $work/missing" missing.txt || fail "a missing --data folder: $(cat missing.txt)"

# No X server, no Wayland: the game says so and stops, instead of drawing where nobody sees.
set +e
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 60 "$game" --data "$data" --virtual-clock \
  --max-flips 5 > nodisplay.txt 2>&1
code=$?
set -e
[ $code -ne 0 ] && [ $code -ne 3 ] && [ $code -ne 124 ] || { cat nodisplay.txt; fail "no display: exit code $code"; }
grep -q 'Driver grafico no disponible (OpenGL)' nodisplay.txt || { cat nodisplay.txt; fail "no display: no message"; }
echo ok
