#!/usr/bin/env bash
# On a 16:9 screen, "mantener_aspecto si" in pantalla.cfg (or --keep-aspect) shows the
# 4:3 picture centred between black bars; a line the game does not understand is named
# and skipped. Without either the picture is stretched over the whole screen.
. "$(dirname "$0")/common.sh"
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
# Prints "dark|lit" for each x given, on the middle row of the shot.
columns() {
  python3 - "$@" <<'P'
import sys, zlib, struct
data = open(sys.argv[1], 'rb').read()
pos, idat = 8, b''
while pos < len(data):
    n, kind = struct.unpack('>I4s', data[pos:pos + 8])
    body = data[pos + 8:pos + 8 + n]
    if kind == b'IHDR': w, h, depth, ctype = struct.unpack('>IIBB', body[:10])
    if kind == b'IDAT': idat += body
    pos += 12 + n
raw = zlib.decompress(idat)
bpp = 3 if ctype == 2 else 4
stride = w * bpp
prev = bytearray(stride)
off = 0
for y in range(h // 2 + 1):
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
print(' '.join('lit' if sum(prev[x * bpp:x * bpp + 3]) else 'dark' for x in map(int, sys.argv[2:])))
P
}
printf '1280 720\r\n' > resolucion.cfg
printf '# pantalla\nancho_barras 7\nmantener_aspecto si\n' > pantalla.cfg
run file.png
grep -q 'pantalla.cfg, linea 2' out.txt || fail "the line not understood was not named"
[ "$(columns file.png 0 159 160 1119 1120 1279)" = "dark dark lit lit dark dark" ] ||
  fail "no 4:3 picture between bars: $(columns file.png 0 159 160 1119 1120 1279)"
rm pantalla.cfg
run option.png --keep-aspect
cmp -s file.png option.png || fail "--keep-aspect does not show what the settings line shows"
run plain.png
[ "$(columns plain.png 0 1279)" = "lit lit" ] || fail "without the option the picture is not stretched"
echo ok
