#!/usr/bin/env python3
"""xshot.py [OUT.png]: what the X server shows on its root window (every window mapped on it),
read with XGetImage through libX11 (needs DISPLAY). Prints the screen's size and the box
holding every lit pixel (a channel above 24): "W H X0 Y0 X1 Y1" (inclusive; "W H none" when
all is dark), and saves the picture as an 8-bit RGB PNG when OUT is given."""
import ctypes
import struct
import sys
import zlib

x11 = ctypes.cdll.LoadLibrary('libX11.so.6')
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XGetImage.restype = ctypes.c_void_p
x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                          ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
x11.XGetGeometry.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_void_p] * 7


class XImage(ctypes.Structure):
    _fields_ = [('width', ctypes.c_int), ('height', ctypes.c_int), ('xoffset', ctypes.c_int),
                ('format', ctypes.c_int), ('data', ctypes.POINTER(ctypes.c_ubyte)),
                ('byte_order', ctypes.c_int), ('bitmap_unit', ctypes.c_int),
                ('bitmap_bit_order', ctypes.c_int), ('bitmap_pad', ctypes.c_int), ('depth', ctypes.c_int),
                ('bytes_per_line', ctypes.c_int), ('bits_per_pixel', ctypes.c_int)]


def main(out):
    d = x11.XOpenDisplay(None)
    if not d:
        sys.exit('xshot: no X display')
    root = x11.XDefaultRootWindow(d)
    geo = [ctypes.c_uint() for _ in range(7)]
    rootret = ctypes.c_ulong()
    x, y, w, h, b, depth = (ctypes.c_int(), ctypes.c_int(), ctypes.c_uint(), ctypes.c_uint(), ctypes.c_uint(),
                            ctypes.c_uint())
    x11.XGetGeometry(d, root, ctypes.byref(rootret), ctypes.byref(x), ctypes.byref(y), ctypes.byref(w),
                     ctypes.byref(h), ctypes.byref(b), ctypes.byref(depth))
    del geo
    img = ctypes.cast(x11.XGetImage(d, root, 0, 0, w.value, h.value, 0xFFFFFFFF, 2),
                      ctypes.POINTER(XImage)).contents  # ZPixmap
    if img.bits_per_pixel != 32:
        sys.exit('xshot: %d bits per pixel not handled' % img.bits_per_pixel)
    raw = ctypes.string_at(img.data, img.bytes_per_line * img.height)
    rows = []
    lit = bytes(1 if v > 24 else 0 for v in range(256))
    box = [img.width, img.height, -1, -1]
    for r in range(img.height):
        line = raw[r * img.bytes_per_line:r * img.bytes_per_line + img.width * 4]
        for c in range(3):
            mask = line[c::4].translate(lit)
            first = mask.find(1)
            if first < 0:
                continue
            box = [min(box[0], first), min(box[1], r), max(box[2], mask.rfind(1)), max(box[3], r)]
    print(img.width, img.height, ' '.join(map(str, box)) if box[2] >= 0 else 'none')
    if not out:
        return
    for r in range(img.height):
        line = raw[r * img.bytes_per_line:r * img.bytes_per_line + img.width * 4]
        rgb = bytearray(img.width * 3)
        rgb[0::3] = line[2::4]  # BGRX in memory (little-endian 24-bit visual)
        rgb[1::3] = line[1::4]
        rgb[2::3] = line[0::4]
        rows.append(b'\0' + bytes(rgb))
    chunk = lambda kind, body: struct.pack('>I', len(body)) + kind + body + struct.pack(
        '>I', zlib.crc32(kind + body) & 0xffffffff)
    with open(out, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n')
        f.write(chunk(b'IHDR', struct.pack('>IIBBBBB', img.width, img.height, 8, 2, 0, 0, 0)))
        f.write(chunk(b'IDAT', zlib.compress(b''.join(rows), 1)))
        f.write(chunk(b'IEND', b''))


main(sys.argv[1] if len(sys.argv) > 1 else None)
