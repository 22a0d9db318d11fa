#!/usr/bin/env bash
# The display follows resolucion.cfg: 1280 by 1024 opens that size and draws the 1024 by
# 768 virtual screen stretched over all of it; a size that cannot be opened (0 by 0)
# falls back to 1024 by 768.
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
size_of() { python3 -c "import struct,sys; d=open(sys.argv[1],'rb').read(24); print(*struct.unpack('>II', d[16:24]))" "$1"; }
printf '1 key Escape press\n' > script.txt
run() {
  set +e
  "$game" --headless --virtual-clock --seed 5 --script script.txt --max-flips 20 --shot 20:"$1" > out.txt 2>&1
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
echo ok
