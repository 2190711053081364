#!/usr/bin/env python3
"""Writes the seed corpus of the .bmp fuzzer into tests/data/bmp/.

One small, valid file of every layout the reader accepts: the core header
(1, 4, 8, 24 bits), the 40-byte info header (1, 4, 8, 16 and 32 bits plain,
16 and 32 bits with bit fields, 8 bits with a gap before the pixels and a
short colour table), the 52, 56, 108 and 124-byte headers, top-down rows,
RLE8 and RLE4 streams that use every code, a 1 x 1 picture, and two files
65537 pixels wide that the reader squeezes. Most pictures are 7 x 5, so that
every bit depth needs row padding. Standard library only; the output is the
same on every run.

    python3 tools/make_bmp_seeds.py            # writes tests/data/bmp/*.bmp
    python3 tools/make_bmp_seeds.py --out DIR
"""

import argparse
import os
import struct

W, H = 7, 5

BI_RGB, BI_RLE8, BI_RLE4, BI_BITFIELDS = 0, 1, 2, 3


def color(x, y):
    """The picture: an RGB triple for pixel (x, y), y counted from the top."""
    return ((x * 40 + 15) % 256, (y * 60 + 5) % 256, ((x ^ y) * 33) % 256)


def palette(count):
    return [((i * 37) % 256, (i * 91 + 7) % 256, (255 - i * 13) % 256)
            for i in range(count)]


def index(x, y, bits):
    return (x * 3 + y * 5) % (1 << bits)


def pack_row(values, bits):
    """One row of raw values, padded to 4 bytes."""
    out = bytearray()
    if bits >= 8:
        for v in values:
            out += v.to_bytes(bits // 8, "little")
    else:
        acc, used = 0, 0
        for v in values:
            acc = (acc << bits) | v
            used += bits
            if used == 8:
                out.append(acc)
                acc, used = 0, 0
        if used:
            out.append(acc << (8 - used))
    while len(out) % 4:
        out.append(0)
    return bytes(out)


def pixel_value(x, y, bits, masks):
    r, g, b = color(x, y)
    if bits <= 8:
        return index(x, y, bits)
    if bits == 24:
        return b | g << 8 | r << 16
    if masks is None:
        masks = (0x7C00, 0x03E0, 0x001F) if bits == 16 else (0xFF0000, 0xFF00, 0xFF)
    value = 0
    for channel, mask in zip((r, g, b), masks):
        shift = (mask & -mask).bit_length() - 1
        width = bin(mask).count("1")
        value |= (channel >> max(0, 8 - width)) << shift
    return value


def pixel_rows(bits, masks, top_down, width=W, height=H):
    order = range(height) if top_down else reversed(range(height))
    return b"".join(pack_row([pixel_value(x, y, bits, masks) for x in range(width)], bits)
                    for y in order)


def bmp(header_size, width, height, bits, compression=BI_RGB, table=(), colors_used=None,
        masks=None, gap=0, data=b""):
    """A whole file: file header, info header, masks, colour table, pixels."""
    core = header_size == 12
    if core:
        header = struct.pack("<IHHHH", 12, width, height, 1, bits)
    else:
        used = len(table) if colors_used is None else colors_used
        header = struct.pack("<IiiHHIIiiII", header_size, width, height, 1, bits,
                             compression, len(data), 2835, 2835, used, 0)
        if masks is not None:
            header += struct.pack("<III", *masks[:3])
            if header_size >= 56:
                header += struct.pack("<I", masks[3] if len(masks) > 3 else 0)
        if header_size > 40:
            header = header.ljust(header_size, b"\0")
    body = header
    for r, g, b in table:
        body += bytes((b, g, r)) if core else bytes((b, g, r, 0))
    body += b"\xee" * gap
    offset = 14 + len(body)
    size = offset + len(data)
    return b"BM" + struct.pack("<IHHI", size, 0, 0, offset) + body + data


def plain(header_size, bits, compression=BI_RGB, masks=None, top_down=False, **extra):
    table = palette(1 << bits) if bits <= 8 else ()
    extra.setdefault("table", table)
    data = pixel_rows(bits, masks if compression == BI_BITFIELDS else None, top_down)
    return bmp(header_size, W, -H if top_down else H, bits, compression, masks=masks,
               data=data, **extra)


def rle8_stream():
    """Bottom row: runs and a literal; then a delta; a short row; the end."""
    s = bytearray()
    s += bytes((3, 10, 0, 3, 20, 21, 22, 0, 1, 30))  # run, literal (padded), run
    s += bytes((0, 0))                                # end of line
    s += bytes((0, 2, 2, 1))                          # delta: right 2, up 1
    s += bytes((9, 40))                               # run cut at the row's end
    s += bytes((0, 0, 0, 4, 1, 2, 3, 4, 0, 1))        # literal, end of bitmap
    return bytes(s)


def rle4_stream():
    s = bytearray()
    s += bytes((5, 0x12, 0, 3, 0x34, 0x50))           # run, literal of 3 (padded)
    s += bytes((0, 0, 0, 2, 1, 1, 4, 0xEF, 0, 0))     # delta, run, end of line
    s += bytes((0, 5, 0x67, 0x89, 0xA0, 0))           # literal of 5
    s += bytes((0, 1))
    return bytes(s)


def seeds():
    p = palette
    yield "core-1.bmp", plain(12, 1)
    yield "core-4.bmp", plain(12, 4)
    yield "core-8.bmp", plain(12, 8)
    yield "core-24.bmp", plain(12, 24)
    yield "info-1.bmp", plain(40, 1)
    yield "info-4.bmp", plain(40, 4)
    yield "info-8.bmp", plain(40, 8)
    yield "info-8-gap-short-table.bmp", plain(40, 8, table=p(40), colors_used=0, gap=21)
    yield "info-16-555.bmp", plain(40, 16)
    yield "info-16-565.bmp", plain(40, 16, BI_BITFIELDS, (0xF800, 0x07E0, 0x001F))
    yield "info-24.bmp", plain(40, 24)
    yield "info-32.bmp", plain(40, 32)
    yield "info-32-bitfields.bmp", plain(40, 32, BI_BITFIELDS, (0xFF, 0xFF00, 0xFF0000))
    yield "v2-16-bitfields.bmp", plain(52, 16, BI_BITFIELDS, (0x7C00, 0x03E0, 0x001F))
    yield "v3-32-bitfields.bmp", plain(56, 32, BI_BITFIELDS,
                                       (0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000))
    yield "v4-32-bitfields.bmp", plain(108, 32, BI_BITFIELDS,
                                       (0xFF0000, 0xFF00, 0xFF, 0xFF000000))
    yield "v4-16-rgb.bmp", plain(108, 16)
    yield "v5-24.bmp", plain(124, 24)
    yield "v5-8.bmp", plain(124, 8, table=p(16))
    yield "topdown-8.bmp", plain(40, 8, top_down=True)
    yield "topdown-24.bmp", plain(40, 24, top_down=True)
    yield "topdown-32-bitfields.bmp", plain(124, 32, BI_BITFIELDS,
                                            (0xFF00, 0xFF0000, 0xFF000000), top_down=True)
    yield "rle8.bmp", bmp(40, W, H, 8, BI_RLE8, p(64), data=rle8_stream())
    yield "rle4.bmp", bmp(40, W, H, 4, BI_RLE4, p(16), data=rle4_stream())
    yield "one-pixel.bmp", bmp(40, 1, 1, 24, data=pack_row([0x123456], 24))
    # Wider than any texture: the reader squeezes these to 65536 columns.
    wide = 65537
    bits = pack_row([(x // 97) & 1 for x in range(wide)], 1)
    yield "wide-1.bmp", bmp(40, wide, 1, 1, table=p(2), data=bits)
    runs = bytearray()
    for x in range(0, wide, 255):
        runs += bytes((min(255, wide - x), (x // 255) % 4))
    runs += bytes((0, 1))
    yield "wide-rle8.bmp", bmp(40, wide, 1, 8, BI_RLE8, p(4), data=bytes(runs))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.join(here, "..", "tests", "data", "bmp"))
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    total = 0
    for name, content in seeds():
        with open(os.path.join(args.out, name), "wb") as f:
            f.write(content)
        total += len(content)
    print(f"wrote {args.out}: {total} bytes")


if __name__ == "__main__":
    main()
