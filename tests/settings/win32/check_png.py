#!/usr/bin/env python3
"""Checks the screenshots the window test saved: every chunk's CRC, the
zlib stream and the size of the image data against the header. Fails on
an empty folder, since the test saves a picture of every page it shows."""
import pathlib
import struct
import sys
import zlib


def check(path):
    data = path.read_bytes()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        return "no PNG signature"
    at, idat, header = 8, b"", None
    while at < len(data):
        (length,) = struct.unpack(">I", data[at:at + 4])
        kind, body = data[at + 4:at + 8], data[at + 8:at + 8 + length]
        (crc,) = struct.unpack(">I", data[at + 8 + length:at + 12 + length])
        if zlib.crc32(kind + body) != crc:
            return "bad CRC in %s" % kind
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    if header is None or header[2:5] != (8, 2, 0):
        return "not 8-bit RGB"
    width, height = header[:2]
    raw = zlib.decompress(idat)
    if len(raw) != height * (1 + 3 * width):
        return "image data of %d bytes for %dx%d" % (len(raw), width, height)
    pixels = {raw[r * (1 + 3 * width) + 1:(r + 1) * (1 + 3 * width)] for r in range(height)}
    if len(pixels) < 3:
        return "a blank picture"
    return None


def main():
    files = sorted(pathlib.Path(sys.argv[1]).glob("*.png"))
    if not files:
        print("no screenshots in", sys.argv[1])
        return 1
    bad = 0
    for path in files:
        problem = check(path)
        if problem:
            print("%s: %s" % (path, problem))
            bad += 1
    print("%d screenshots checked, %d bad" % (len(files), bad))
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
