#!/usr/bin/env bash
# The display follows resolucion.cfg: 1280 by 1024 opens that size and draws the 1024 by
# 768 virtual screen stretched over all of it; a size that cannot be opened (0 by 0)
# falls back to 1024 by 768. A file that is rewritten is named; a link in its place is
# replaced and its target left alone (so are the other settings files' links); a folder in
# its place is named once; a size over the limit is named and played at 1024 by 768.
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
size_of() { python3 -c "import struct,sys; d=open(sys.argv[1],'rb').read(24); print(*struct.unpack('>II', d[16:24]))" "$1"; }
printf '1 key Escape press\n' > script.txt
run() {
  set +e
  # Stretched, as the whole window is what is checked (the shape is kept by default).
  "$game" --headless --virtual-clock --seed 5 --stretch --script script.txt --max-flips 20 --shot 20:"$1" > out.txt 2>&1
  local code=$?
  set -e
  [ $code -eq 3 ] || { cat out.txt; fail "exit code $code"; }
}
printf '1280 1024\r\n' > resolucion.cfg
run big.png
[ "$(size_of big.png)" = "1280 1024" ] || fail "1280x1024 shot is $(size_of big.png)"
printf '1280 1024\r\n' | cmp -s - resolucion.cfg || fail "a good resolucion.cfg was rewritten"
# The title fills the whole screen: its bottom-right corner is drawn, not left black.
[ "$(python3 "$here/png_row.py" big.png last -2)" = lit ] || fail "the virtual screen is not stretched over the window"
printf '0 0\r\n' > resolucion.cfg
run small.png
[ "$(size_of small.png)" = "1024 768" ] || fail "0x0 did not fall back to 1024x768 ($(size_of small.png))"
# Links in the settings files' places: resolucion.cfg's first line has no space, so the
# file is rewritten; the links' targets stay as they were.
mkdir fuera
for name in resolucion jugadores red pantalla; do
  printf 'sin-espacio\r\n' > fuera/$name.txt
  rm -f $name.cfg
  ln -s fuera/$name.txt $name.cfg
done
run link.png
[ "$(size_of link.png)" = "1024 768" ] || fail "the rewritten file did not give 1024x768"
[ -L resolucion.cfg ] && fail "the link resolucion.cfg was followed, not replaced"
printf '1024 768\r\n' | cmp -s - resolucion.cfg || fail "resolucion.cfg does not hold the default line"
for name in resolucion jugadores red pantalla; do
  printf 'sin-espacio\r\n' | cmp -s - fuera/$name.txt || fail "the target of $name.cfg was written"
done
grep -qF 'resolucion.cfg: la primera linea no es "ancho alto" ("sin-espacio"); se vuelve a escribir con 1024 768' out.txt ||
  { cat out.txt; fail "the rewritten resolucion.cfg was not named"; }
rm -f jugadores.cfg red.cfg pantalla.cfg
# Over the limit: named, and 1024x768 headless.
printf '16384 16384\r\n' > resolucion.cfg
run huge.png
[ "$(size_of huge.png)" = "1024 768" ] || fail "16384x16384 headless did not play at 1024x768"
grep -qF 'resolucion.cfg: 16384x16384 pasa del limite de 7680x4320; se usa 1024x768' out.txt ||
  { cat out.txt; fail "the size over the limit was not named"; }
# A folder in its place: named once, and the game plays at 1024 by 768.
rm resolucion.cfg
mkdir resolucion.cfg
run folder.png
[ "$(size_of folder.png)" = "1024 768" ] || fail "a folder resolucion.cfg did not give 1024x768"
[ "$(grep -c 'resolucion.cfg (hay una carpeta con ese nombre)' out.txt)" -eq 1 ] ||
  { cat out.txt; fail "the folder in resolucion.cfg's place was not named once"; }
echo ok
