#!/usr/bin/env python3
"""Converts a 24- or 32-bit uncompressed BMP file to PNG (standard library only)."""
import struct
import sys
import zlib


def convert(source, target):
    data = open(source, 'rb').read()
    offset = struct.unpack_from('<I', data, 10)[0]
    width, height = struct.unpack_from('<ii', data, 18)
    bits = struct.unpack_from('<H', data, 28)[0]
    if bits not in (24, 32):
        raise SystemExit(f'{source}: {bits}-bit images are not handled')
    step = bits // 8
    stride = (width * step + 3) & ~3
    top_down = height < 0
    height = abs(height)
    rows = []
    for y in range(height):
        row = y if top_down else height - 1 - y
        line = data[offset + row * stride: offset + row * stride + width * step]
        pixels = bytearray()
        for x in range(0, width * step, step):
            blue, green, red = line[x:x + 3]
            pixels += bytes((red, green, blue))
        rows.append(b'\0' + bytes(pixels))

    def chunk(name, body):
        return struct.pack('>I', len(body)) + name + body + struct.pack('>I', zlib.crc32(name + body) & 0xFFFFFFFF)

    header = struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)
    with open(target, 'wb') as out:
        out.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(b''.join(rows), 9))
                  + chunk(b'IEND', b''))


if __name__ == '__main__':
    convert(sys.argv[1], sys.argv[2])
