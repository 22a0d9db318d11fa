#!/usr/bin/env bash
# Letterboxing: on a 16:9 screen, the settings line in pantalla.cfg (or the command-line
# option) shows the 4:3 picture centred between black bars; a line the game does not
# understand is named and skipped. Without either the picture is stretched over the screen.
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
grep -q 'pantalla.cfg, linea 2' out.txt || fail "the line not understood was not named"
[ "$(columns file.png 0 159 160 1119 1120 1279)" = "dark dark lit lit dark dark" ] ||
  fail "no 4:3 picture between bars: $(columns file.png 0 159 160 1119 1120 1279)"
rm pantalla.cfg
run option.png --keep-aspect
cmp -s file.png option.png || fail "the option does not show what the settings line shows"
run plain.png
[ "$(columns plain.png 0 1279)" = "lit lit" ] || fail "without the option the picture is not stretched"
echo ok
