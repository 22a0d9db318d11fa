#!/usr/bin/env bash
# The display follows resolucion.cfg: 1280 by 1024 opens that size and draws the 1024 by
# 768 virtual screen stretched over all of it; a size that cannot be opened (0 by 0)
# falls back to 1024 by 768.
. "$(dirname "$0")/common.sh"
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
python3 - big.png <<'P' || fail "the virtual screen is not stretched over the window"
import sys, zlib, struct
data = open(sys.argv[1], 'rb').read()
pos, idat, w, h = 8, b'', 0, 0
while pos < len(data):
    n, kind = struct.unpack('>I4s', data[pos:pos + 8])
    body = data[pos + 8:pos + 8 + n]
    if kind == b'IHDR': w, h, depth, ctype = struct.unpack('>IIBB', body[:10])
    if kind == b'IDAT': idat += body
    pos += 12 + n
raw = zlib.decompress(idat)
bpp = 3 if ctype == 2 else 4
stride = w * bpp
# Only the last row is needed; PNG filters need the previous row, so rebuild all rows.
prev = bytearray(stride)
off = 0
for y in range(h):
    f = raw[off]; line = bytearray(raw[off + 1:off + 1 + stride]); off += 1 + stride
    for i in range(stride):
        a = line[i - bpp] if i >= bpp else 0
        b = prev[i]; c = prev[i - bpp] if i >= bpp else 0
        if f == 1: line[i] = (line[i] + a) & 255
        elif f == 2: line[i] = (line[i] + b) & 255
        elif f == 3: line[i] = (line[i] + (a + b) // 2) & 255
        elif f == 4:
            p = a + b - c; pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
    prev = line
corner = prev[(w - 2) * bpp:(w - 1) * bpp]
sys.exit(0 if sum(corner[:3]) > 0 else 1)
P
printf '0 0\r\n' > resolucion.cfg
run small.png
[ "$(size_of small.png)" = "1024 768" ] || fail "0x0 did not fall back to 1024x768 ($(size_of small.png))"
echo ok
