#!/usr/bin/env python3
"""png_row.py FILE ROW X...: prints "lit" or "dark" for each column X of one row of a PNG
shot (8-bit RGB or RGBA, as the game saves them). ROW is a number, "middle" or "last"; a
negative X counts from the right edge."""
import struct
import sys
import zlib


def rows(path):
    data = open(path, 'rb').read()
    pos, idat, w, h, ctype = 8, b'', 0, 0, 2
    while pos < len(data):
        n, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + n]
        if kind == b'IHDR':
            w, h, _depth, ctype = struct.unpack('>IIBB', body[:10])
        if kind == b'IDAT':
            idat += body
        pos += 12 + n
    raw = zlib.decompress(idat)
    bpp = 3 if ctype == 2 else 4
    stride = w * bpp
    # PNG filters read the row above, so every row up to the one wanted is rebuilt.
    prev, off = bytearray(stride), 0
    for _ in range(h):
        f = raw[off]
        line = bytearray(raw[off + 1:off + 1 + stride])
        off += 1 + stride
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            if f == 1:
                line[i] = (line[i] + a) & 255
            elif f == 2:
                line[i] = (line[i] + b) & 255
            elif f == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif f == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        prev = line
        yield w, h, bpp, line


def main():
    path, which, xs = sys.argv[1], sys.argv[2], [int(x) for x in sys.argv[3:]]
    for y, (w, h, bpp, line) in enumerate(rows(path)):
        wanted = h // 2 if which == 'middle' else h - 1 if which == 'last' else int(which)
        if y == wanted:
            cols = [x if x >= 0 else w + x for x in xs]
            print(' '.join('lit' if sum(line[x * bpp:x * bpp + 3]) else 'dark' for x in cols))
            return


main()
