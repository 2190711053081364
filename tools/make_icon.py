#!/usr/bin/env python3
"""Draws Ondrava's program icon and writes it as resources/ondrava.ico.

The picture is a small globe (sea, a few made-up land masses, lit from the
upper left) with a clock over it: twelve dial marks and an hour and a minute
hand showing ten past ten. Everything is computed here with the standard
library only; every pixel is supersampled, so edges are anti-aliased and the
area outside the globe is fully transparent.

The ICO holds one 48 x 48 image of 32 bits per pixel: a BITMAPINFOHEADER with
the height doubled, the colour rows bottom-up as straight (not premultiplied)
B, G, R, A bytes, then the 1-bit AND mask (1 = transparent), rows padded to
32 bits.

    python3 tools/make_icon.py                     # writes resources/ondrava.ico
    python3 tools/make_icon.py --preview icon.png  # also a zoomed PNG preview
"""

import argparse
import math
import os
import struct
import sys
import zlib

SIZE = 48
SUBSAMPLES = 6  # per axis, so 36 samples per pixel

CENTRE = SIZE / 2.0
GLOBE_RADIUS = 21.6

# Light from the upper left and somewhat from the front (x right, y up, z out
# of the screen).
_l = (-0.55, 0.62, 0.56)
_n = math.sqrt(sum(c * c for c in _l))
LIGHT = tuple(c / _n for c in _l)
_h = (LIGHT[0], LIGHT[1], LIGHT[2] + 1.0)
_n = math.sqrt(sum(c * c for c in _h))
HALF_VECTOR = tuple(c / _n for c in _h)

# The globe is seen from 22 degrees north; longitude 0 faces the viewer.
VIEW_TILT = math.radians(22.0)

OCEAN_DEEP = (0.05, 0.30, 0.52)
OCEAN_SHALLOW = (0.10, 0.55, 0.66)
LAND_LOW = (0.24, 0.60, 0.27)
LAND_HIGH = (0.62, 0.62, 0.36)
ATMOSPHERE = (0.62, 0.88, 1.00)
RIM = (0.04, 0.12, 0.22)

HAND_FILL = (0.97, 0.97, 0.93)
HAND_EDGE = (0.07, 0.12, 0.20)
CAP_FILL = (0.93, 0.47, 0.16)
SHADOW = (0.0, 0.03, 0.08)

# Made-up continents: (latitude, longitude, angular radius) in degrees. Their
# union, with a wavy coastline, is land.
LAND_BLOBS = [
    (42.0, -52.0, 20.0),
    (20.0, -40.0, 12.0),
    (-14.0, -58.0, 17.0),
    (-36.0, -50.0, 10.0),
    (34.0, 48.0, 20.0),
    (8.0, 40.0, 13.0),
    (-26.0, 58.0, 9.0),
    (64.0, 4.0, 11.0),
]


def _unit_from_lat_lon(lat_deg, lon_deg):
    lat = math.radians(lat_deg)
    lon = math.radians(lon_deg)
    return (math.cos(lat) * math.sin(lon), math.sin(lat),
            math.cos(lat) * math.cos(lon))


_BLOBS = [(_unit_from_lat_lon(la, lo), math.cos(math.radians(r)))
          for la, lo, r in LAND_BLOBS]


def _mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def _clamp01(v):
    return 0.0 if v < 0.0 else 1.0 if v > 1.0 else v


def _land_height(p):
    """Positive on land (growing inland), negative at sea."""
    lon = math.atan2(p[0], p[2])
    lat = math.asin(max(-1.0, min(1.0, p[1])))
    best = -1.0
    for c, cos_r in _BLOBS:
        d = p[0] * c[0] + p[1] * c[1] + p[2] * c[2] - cos_r
        if d > best:
            best = d
    wobble = (0.030 * math.sin(7.0 * lon + 1.3) * math.cos(5.0 * lat)
              + 0.018 * math.sin(13.0 * lon - 2.0 * lat + 0.4)
              + 0.012 * math.cos(17.0 * lat + 3.0 * lon))
    return best + wobble


def _globe_colour(x, y):
    """Colour and alpha of the globe at a point in screen pixels, or None."""
    sx = (x - CENTRE) / GLOBE_RADIUS
    sy = (CENTRE - y) / GLOBE_RADIUS
    rr = sx * sx + sy * sy
    if rr >= 1.0:
        return None
    sz = math.sqrt(1.0 - rr)
    normal = (sx, sy, sz)

    # From view space to globe space: undo the tilt about the x axis, so the
    # point facing the viewer lies at VIEW_TILT north.
    ct, st = math.cos(VIEW_TILT), math.sin(VIEW_TILT)
    p = (sx, sy * ct + sz * st, sz * ct - sy * st)

    h = _land_height(p)
    if h > 0.0:
        base = _mix(LAND_LOW, LAND_HIGH, _clamp01(h * 9.0))
        shine = 0.08
    else:
        base = _mix(OCEAN_SHALLOW, OCEAN_DEEP, _clamp01(-h * 7.0))
        shine = 0.45

    diffuse = max(0.0, sum(a * b for a, b in zip(normal, LIGHT)))
    light = 0.38 + 0.80 * diffuse
    specular = shine * max(0.0, sum(a * b for a, b in zip(normal, HALF_VECTOR))) ** 24
    colour = tuple(_clamp01(c * light + specular) for c in base)

    # A thin bright atmosphere toward the limb, then a dark rim at the edge so
    # the disc reads on light and dark desktops alike.
    edge = 1.0 - sz
    colour = _mix(colour, ATMOSPHERE, 0.45 * edge ** 3)
    r = math.sqrt(rr) * GLOBE_RADIUS
    if r > GLOBE_RADIUS - 0.9:
        colour = _mix(colour, RIM, 0.7)
    return colour, 1.0


def _segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = _clamp01(t)
    qx, qy = ax + dx * t - px, ay + dy * t - py
    return math.sqrt(qx * qx + qy * qy)


def _polar(angle_deg, radius):
    """Screen point at a clock angle (0 = twelve o'clock, clockwise)."""
    a = math.radians(angle_deg)
    return CENTRE + radius * math.sin(a), CENTRE - radius * math.cos(a)


# Dial marks: (inner end, outer end, half width) as segments.
MARKS = []
for _k in range(12):
    _major = _k % 3 == 0
    _inner = _polar(_k * 30.0, 14.8 if _major else 16.6)
    _outer = _polar(_k * 30.0, 19.0)
    MARKS.append((_inner, _outer, 1.15 if _major else 0.7))

# Ten past ten: hour hand at 10 h 10 min, minute hand at 10 min.
HOUR_ANGLE = (10.0 + 10.0 / 60.0) * 30.0
MINUTE_ANGLE = 10.0 * 6.0
HANDS = [
    (_polar(HOUR_ANGLE + 180.0, 2.5), _polar(HOUR_ANGLE, 10.5), 1.55),
    (_polar(MINUTE_ANGLE + 180.0, 3.0), _polar(MINUTE_ANGLE, 16.2), 1.05),
]
HAND_OUTLINE = 0.75
CAP_RADIUS = 2.3
SHADOW_OFFSET = (0.9, 1.1)


def _over(dst, colour, alpha):
    """Source-over composition in premultiplied form; dst = [r, g, b, a]."""
    k = 1.0 - alpha
    dst[0] = colour[0] * alpha + dst[0] * k
    dst[1] = colour[1] * alpha + dst[1] * k
    dst[2] = colour[2] * alpha + dst[2] * k
    dst[3] = alpha + dst[3] * k


def _in_any(x, y, shapes, grow):
    for (a, b, half) in shapes:
        if _segment_distance(x, y, a[0], a[1], b[0], b[1]) <= half + grow:
            return True
    return False


def _sample(x, y):
    dst = [0.0, 0.0, 0.0, 0.0]
    globe = _globe_colour(x, y)
    if globe is None:
        return dst
    _over(dst, globe[0], globe[1])

    # Soft shadows of the marks and hands, as if they floated above the globe.
    sx, sy = x - SHADOW_OFFSET[0], y - SHADOW_OFFSET[1]
    if _in_any(sx, sy, MARKS, 0.2):
        _over(dst, SHADOW, 0.35)
    if (_in_any(sx, sy, HANDS, HAND_OUTLINE)
            or math.hypot(sx - CENTRE, sy - CENTRE) <= CAP_RADIUS + HAND_OUTLINE):
        _over(dst, SHADOW, 0.40)

    if _in_any(x, y, MARKS, 0.0):
        _over(dst, HAND_FILL, 0.92)

    for hand in HANDS:
        if _in_any(x, y, [hand], HAND_OUTLINE):
            _over(dst, HAND_EDGE, 1.0)
        if _in_any(x, y, [hand], 0.0):
            _over(dst, HAND_FILL, 1.0)

    d = math.hypot(x - CENTRE, y - CENTRE)
    if d <= CAP_RADIUS + HAND_OUTLINE:
        _over(dst, HAND_EDGE, 1.0)
    if d <= CAP_RADIUS:
        _over(dst, CAP_FILL, 1.0)
    return dst


def render():
    """Returns SIZE * SIZE straight-alpha (r, g, b, a) byte tuples, top row first."""
    n = SUBSAMPLES
    offsets = [(i + 0.5) / n for i in range(n)]
    pixels = []
    for py in range(SIZE):
        for px in range(SIZE):
            acc = [0.0, 0.0, 0.0, 0.0]
            for oy in offsets:
                for ox in offsets:
                    s = _sample(px + ox, py + oy)
                    acc[0] += s[0]
                    acc[1] += s[1]
                    acc[2] += s[2]
                    acc[3] += s[3]
            count = n * n
            a = acc[3] / count
            if a <= 0.0:
                pixels.append((0, 0, 0, 0))
                continue
            # Premultiplied average back to straight colour.
            rgb = tuple(int(round(_clamp01(acc[i] / count / a) * 255.0))
                        for i in range(3))
            pixels.append(rgb + (int(round(a * 255.0)),))
    return pixels


def ico_bytes(pixels):
    """One 32-bit image in an ICO container."""
    row_xor = SIZE * 4
    row_and = ((SIZE + 31) // 32) * 4
    xor = bytearray()
    mask = bytearray()
    for y in range(SIZE - 1, -1, -1):  # bottom-up
        row_mask = bytearray(row_and)
        for x in range(SIZE):
            r, g, b, a = pixels[y * SIZE + x]
            xor += bytes((b, g, r, a))
            if a == 0:
                row_mask[x // 8] |= 0x80 >> (x % 8)
        mask += row_mask
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 32, 0,
                         len(xor), 0, 0, 0, 0)
    image = header + bytes(xor) + bytes(mask)
    icondir = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', SIZE % 256, SIZE % 256, 0, 0, 1, 32,
                        len(image), 6 + 16)
    return icondir + entry + image


def _png_chunk(kind, data):
    body = kind + data
    return struct.pack('>I', len(data)) + body + struct.pack(
        '>I', zlib.crc32(body) & 0xFFFFFFFF)


def png_bytes(width, height, rgba_rows):
    raw = b''.join(b'\x00' + bytes(row) for row in rgba_rows)
    return (b'\x89PNG\r\n\x1a\n'
            + _png_chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 6,
                                              0, 0, 0))
            + _png_chunk(b'IDAT', zlib.compress(raw, 9))
            + _png_chunk(b'IEND', b''))


def preview_rows(pixels, scale):
    """The icon at its own size and zoomed, over a dark, a light and a
    checkered background, side by side."""
    backgrounds = [
        lambda x, y: (32, 36, 44),
        lambda x, y: (236, 236, 232),
        lambda x, y: (200, 200, 200) if (x // 8 + y // 8) % 2 else (150, 150, 150),
    ]
    pad = 8
    tile = SIZE * scale
    cell_w = pad + SIZE + pad + tile + pad
    width = cell_w * len(backgrounds)
    height = pad + tile + pad
    rows = []
    for y in range(height):
        row = bytearray()
        for x in range(width):
            cell, cx = divmod(x, cell_w)
            bg = backgrounds[cell](x, y)
            src = None
            if pad <= y < pad + SIZE and pad <= cx < pad + SIZE:
                src = pixels[(y - pad) * SIZE + (cx - pad)]
            zx = cx - (pad + SIZE + pad)
            if pad <= y < pad + tile and 0 <= zx < tile:
                src = pixels[((y - pad) // scale) * SIZE + zx // scale]
            if src is None:
                row += bytes(bg) + b'\xff'
            else:
                a = src[3] / 255.0
                row += bytes(int(round(s * a + b * (1.0 - a)))
                             for s, b in zip(src[:3], bg)) + b'\xff'
        rows.append(row)
    return width, height, rows


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    default_out = os.path.join(here, '..', 'resources', 'ondrava.ico')
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--out', default=default_out, help='ICO file to write')
    parser.add_argument('--preview', help='also write a zoomed PNG preview here')
    parser.add_argument('--scale', type=int, default=8,
                        help='zoom factor of the preview (default 8)')
    args = parser.parse_args(argv)

    pixels = render()
    with open(args.out, 'wb') as f:
        f.write(ico_bytes(pixels))
    if args.preview:
        w, h, rows = preview_rows(pixels, max(1, args.scale))
        with open(args.preview, 'wb') as f:
            f.write(png_bytes(w, h, rows))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
