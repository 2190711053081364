#!/usr/bin/env python3
"""Writes the largest picture of a Windows .ico file as an RGBA PNG.

The build makes the Linux program's icon (the notification-area icon and the
one the desktop menus show) from resources/ondrava.ico, so the picture lives
in one file only. Pictures stored as PNG are copied; 32-bit pictures (straight
B, G, R, A rows, bottom-up, height doubled for the AND mask) are converted.
Anything else is refused with a message.

    python3 ico_to_png.py INPUT.ico OUTPUT.png
"""
import struct
import sys
import zlib


def pictures(data):
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or kind != 1 or count == 0:
        raise ValueError("not an icon file")
    for i in range(count):
        w, h, _, _, _, bits, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        if offset + size > len(data):
            raise ValueError("picture %d lies beyond the end of the file" % i)
        yield (w or 256) * (h or 256), data[offset:offset + size]


def rgba_rows(dib):
    header, width, height, _, bits, compression = struct.unpack_from("<IiiHHI", dib, 0)
    height //= 2  # colour rows, then the AND mask
    if bits != 32 or compression != 0 or width <= 0 or height <= 0:
        raise ValueError("only 32-bit uncompressed pictures are supported")
    stride = width * 4
    if header + stride * height > len(dib):
        raise ValueError("the picture is cut short")
    rows = []
    for y in range(height - 1, -1, -1):
        row = dib[header + y * stride: header + (y + 1) * stride]
        rgba = bytearray()
        for x in range(width):
            b, g, r, a = row[4 * x: 4 * x + 4]
            rgba += bytes((r, g, b, a))
        rows.append(bytes(rgba))
    return width, height, rows


def png(width, height, rows):
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))
    raw = b"".join(b"\0" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main(argv):
    if len(argv) != 3:
        sys.exit(__doc__)
    with open(argv[1], "rb") as f:
        data = f.read()
    try:
        _, picture = max(pictures(data), key=lambda p: p[0])
        out = picture if picture.startswith(b"\x89PNG") else png(*rgba_rows(picture))
    except (ValueError, struct.error) as error:
        sys.exit("%s: %s" % (argv[1], error))
    with open(argv[2], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv)
