#!/usr/bin/env bash
# Letterboxing: on a 16:9 screen the 4:3 picture is centred between black bars, by default,
# with the settings line in pantalla.cfg or with the command-line option; a line the game
# does not understand is named and skipped. "mantener_aspecto no" or --stretch stretch it
# over the screen, and the option wins over the file.
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
columns() { python3 "$here/png_row.py" "$1" middle "${@:2}"; }
printf '1 key Escape press\n' > script.txt
run() {  # run SHOT [options...]
  local shot=$1
  shift
  set +e
  "$game" --headless --virtual-clock --seed 5 --script script.txt --max-flips 20 --shot 20:"$shot" "$@" > out.txt 2>&1
  local code=$?
  set -e
  [ $code -eq 3 ] || { cat out.txt; fail "exit code $code"; }
}
printf '1280 720\r\n' > resolucion.cfg
printf '# pantalla\nancho_barras 7\nmantener_aspecto si\n' > pantalla.cfg
run file.png
grep -qF 'pantalla.cfg: 1 linea que no se entiende (se ignora): linea 2 "ancho_barras 7"' out.txt || fail "the line not understood was not named"
[ "$(columns file.png 0 159 160 1119 1120 1279)" = "dark dark lit lit dark dark" ] ||
  fail "no 4:3 picture between bars: $(columns file.png 0 159 160 1119 1120 1279)"
rm pantalla.cfg
run option.png --keep-aspect
cmp -s file.png option.png || fail "the option does not show what the settings line shows"
run plain.png
cmp -s file.png plain.png || fail "by default the picture is not kept between bars as the settings line keeps it"
run stretch.png --stretch
[ "$(columns stretch.png 0 1279)" = "lit lit" ] || fail "--stretch does not stretch the picture"
printf 'mantener_aspecto no\n' > pantalla.cfg
run no.png
cmp -s stretch.png no.png || fail "\"mantener_aspecto no\" does not stretch as --stretch does"
run keep.png --keep-aspect
cmp -s file.png keep.png || fail "--keep-aspect does not win over the file"
rm pantalla.cfg

# Drawing small: chosen by the settings line or the option, said on standard output, the
# same trace; the picture scaled from 1024x768 is what the option shows too.
printf '1600 1200\r\n' > resolucion.cfg
printf 'dibujo reducido\n' > pantalla.cfg
run reducido.png --trace reducido.jsonl
grep -q '^Dibujo reducido: 1024x768 escalado a 1600x1200' out.txt || { cat out.txt; fail "drawing small is not said"; }
rm pantalla.cfg
run small.png --draw small
cmp -s reducido.png small.png || fail "the option does not draw as the settings line does"
run ventana.png --draw window --trace ventana.jsonl
grep -q 'Dibujo reducido' out.txt && fail "--draw window drew small"
cmp reducido.jsonl ventana.jsonl || fail "drawing small changed the trace"
cmp -s reducido.png ventana.png && fail "drawing small shows the very same pixels: it did not scale"
# Automatic: small here, where the renderer is Mesa's software one (the rig's offscreen
# driver and Xvfb have no other).
run auto.png --draw auto
cmp -s auto.png small.png || fail "automatic does not draw small on the software renderer"
printf '1280 720\r\n' > resolucion.cfg
# A session recorded between bars replays in a small 4:3 window without them to the same
# trace: the mouse, over the picture or over a bar, is journaled where the game saw it.
cat > clicks.txt <<'S'
1 key Escape press
20 mouse 700 400
21 button 1 down
22 button 1 up
40 mouse 5 300
41 button 1 down
42 button 1 up
60 key Down press
61 key Enter press
S
set +e
"$game" --headless --virtual-clock --seed 5 --keep-aspect --script clicks.txt --max-flips 120 --trace rec.jsonl \
  --record bars.txt > out.txt 2>&1
code=$?
printf '64 48\r\n' > resolucion.cfg
"$game" --headless --replay bars.txt --trace rep.jsonl --shot 100:small.png > rep.txt 2>&1
rcode=$?
set -e
[ $code -eq 3 ] && [ $rcode -eq 3 ] || { cat out.txt rep.txt; fail "record $code, replay $rcode"; }
grep -q '^ev 20 [0-9]* motion 540 400$' bars.txt || fail "the mouse is not journaled on the picture"
grep -q '^ev 40 [0-9]* motion 0 300$' bars.txt || fail "the mouse over a bar is not journaled on the picture's edge"
cmp rec.jsonl rep.jsonl || fail "the replay in another window differs from the recording"
[ "$(python3 "$here/png_row.py" small.png middle 0 63)" = "lit lit" ] || fail "the replay's window shows bars"
echo ok
