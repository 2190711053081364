#!/usr/bin/env python3
"""Writes the seed corpus of the image fuzzer into tests/data/image/.

Small, valid PNG and JPEG files of the kinds the image reader meets: PNG in
grey, grey with alpha, RGB, RGBA and palette colour, 1, 8 and 16 bits, with
every row filter and Adam7 interlacing; JPEG baseline and progressive,
4:4:4 and 4:2:0, grey and restart intervals. Most pictures are 7 x 5, so
that rows and blocks end in the middle. The PNG files are written here with
the standard library; the JPEG files are the same pictures coded by
ImageMagick's convert.

    python3 tools/make_image_seeds.py            # writes tests/data/image/*
    python3 tools/make_image_seeds.py --out DIR

rgb-7x5.png holds color(x, y) exactly: the unit tests read it back.
"""

import argparse
import os
import struct
import subprocess
import tempfile
import zlib

W, H = 7, 5


def color(x, y):
    """The picture: an RGB triple for pixel (x, y), y counted from the top."""
    return ((x * 40 + 15) % 256, (y * 60 + 5) % 256, ((x ^ y) * 33) % 256)


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(
        ">I", zlib.crc32(body) & 0xFFFFFFFF)


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def filtered(rows, bpp, filters):
    """Each row behind its filter byte, the filter chosen round the list."""
    out = bytearray()
    prior = bytes(len(rows[0]))
    for i, row in enumerate(rows):
        kind = filters[i % len(filters)]
        out.append(kind)
        for j, value in enumerate(row):
            left = row[j - bpp] if j >= bpp else 0
            up = prior[j]
            upleft = prior[j - bpp] if j >= bpp else 0
            predictor = [0, left, up, (left + up) // 2,
                         paeth(left, up, upleft)][kind]
            out.append((value - predictor) & 0xFF)
        prior = row
    return bytes(out)


def png(width, height, depth, colour_type, rows, bpp, filters=(0,),
        palette=None, interlaced=False, passes=None):
    ihdr = struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0,
                       1 if interlaced else 0)
    data = b"".join(filtered(p, bpp, filters) for p in passes) \
        if interlaced else filtered(rows, bpp, filters)
    out = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr)
    if palette:
        out += chunk(b"PLTE", b"".join(bytes(c) for c in palette))
    return out + chunk(b"IDAT", zlib.compress(data, 9)) + chunk(b"IEND", b"")


def rgb_rows():
    return [bytes(v for x in range(W) for v in color(x, y)) for y in range(H)]


def adam7_passes():
    starts = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4),
              (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]
    passes = []
    for x0, y0, dx, dy in starts:
        rows = [bytes(v for x in range(x0, W, dx) for v in color(x, y))
                for y in range(y0, H, dy)]
        if rows and rows[0]:
            passes.append(rows)
    return passes


def pngs():
    grey = [bytes(sum(color(x, y)) // 3 for x in range(W)) for y in range(H)]
    yield "rgb-7x5.png", png(W, H, 8, 2, rgb_rows(), 3)
    yield "rgb-filters.png", png(W, H, 8, 2, rgb_rows(), 3, (0, 1, 2, 3, 4))
    yield "rgba.png", png(W, H, 8, 6, [bytes(
        v for x in range(W) for v in color(x, y) + (x * 36,))
        for y in range(H)], 4, (1, 4))
    yield "grey.png", png(W, H, 8, 0, grey, 1, (2, 3))
    yield "grey-alpha.png", png(W, H, 8, 4, [bytes(
        v for x in range(W) for v in (row[x], 255 - row[x]))
        for row in grey], 2, (4,))
    yield "grey-1bit.png", png(W, H, 1, 0, [bytes(
        [sum(((x + y) & 1) << (7 - x) for x in range(W))]) for y in range(H)],
        1)
    yield "rgb-16bit.png", png(W, H, 16, 2, [bytes(
        v for x in range(W) for c in color(x, y) for v in (c, c ^ 0x5A))
        for y in range(H)], 6, (0, 4))
    palette = [color(i, i) for i in range(W)]
    yield "palette.png", png(W, H, 8, 3, [bytes((x + y) % W for x in range(W))
                                          for y in range(H)], 1,
                             palette=palette)
    yield "interlaced.png", png(W, H, 8, 2, None, 3, (0, 1),
                                interlaced=True, passes=adam7_passes())
    yield "one-pixel.png", png(1, 1, 8, 2, [bytes(color(0, 0))], 3)


JPEGS = {
    "baseline-444.jpg": ["-quality", "90", "-sampling-factor", "1x1"],
    "baseline-420.jpg": ["-quality", "75", "-sampling-factor", "2x2"],
    "progressive.jpg": ["-quality", "80", "-interlace", "JPEG"],
    "grey.jpg": ["-quality", "85", "-colorspace", "Gray"],
    "restarts.jpg": ["-quality", "70", "-define", "jpeg:restart-interval=1"],
}


def jpegs(folder):
    ppm = os.path.join(folder, "picture.ppm")
    with open(ppm, "wb") as f:
        f.write(b"P6 %d %d 255\n" % (W, H))
        for row in rgb_rows():
            f.write(row)
    for name, options in JPEGS.items():
        out = os.path.join(folder, name)
        subprocess.run(["convert", ppm, "-strip"] + options + [out],
                       check=True)
        with open(out, "rb") as f:
            yield name, f.read()


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser()
    parser.add_argument("--out", default=os.path.join(
        here, "..", "tests", "data", "image"))
    out = parser.parse_args().out
    os.makedirs(out, exist_ok=True)
    with tempfile.TemporaryDirectory() as scratch:
        for name, data in list(pngs()) + list(jpegs(scratch)):
            with open(os.path.join(out, name), "wb") as f:
                f.write(data)


if __name__ == "__main__":
    main()
