#!/usr/bin/env python3
"""Holds the subsolar points of Ondrava's solar formulas against PyEphem.

Usage: compare_sun_with_ephem.py PATH/TO/subsolar_points [COUNT]

Draws COUNT (default 5000) instants at random, with a fixed seed, between
1950 and 2100, and has the program print the subsolar point of each. PyEphem
gives the apparent geocentric Sun (right ascension and declination of date)
and the Greenwich apparent sidereal time; the subsolar latitude is the
declination, the longitude the right ascension less the sidereal time. Prints
the largest differences and fails when one exceeds 0.05 degree.
"""
import math
import random
import subprocess
import sys
from datetime import datetime, timedelta, timezone

import ephem

LIMIT = 0.05  # degrees


def instants(count):
    rng = random.Random(20260101)
    start = datetime(1950, 1, 1, tzinfo=timezone.utc)
    span = (datetime(2100, 12, 31, 23, 59, 59, tzinfo=timezone.utc) - start)
    for _ in range(count):
        ms = rng.randrange(int(span.total_seconds() * 1000))
        yield start + timedelta(milliseconds=ms)


def reference(t):
    observer = ephem.Observer()
    observer.lon = "0"
    observer.lat = "0"
    observer.elevation = 0
    observer.pressure = 0
    observer.date = ephem.Date(t.replace(tzinfo=None))
    sun = ephem.Sun(observer.date)
    gast = float(observer.sidereal_time())
    lat = math.degrees(float(sun.g_dec))
    lon = math.degrees(float(sun.g_ra) - gast)
    return lat, (lon + 180) % 360 - 180


def main():
    program = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 5000
    times = list(instants(count))
    lines = "".join(
        f"{t.year} {t.month} {t.day} {t.hour} {t.minute} {t.second} "
        f"{t.microsecond // 1000}\n" for t in times)
    out = subprocess.run([program], input=lines, capture_output=True,
                         text=True, check=True).stdout.split("\n")
    worst_lat = (0.0, None)
    worst_lon = (0.0, None)
    for t, line in zip(times, out):
        lat, lon = map(float, line.split())
        ref_lat, ref_lon = reference(t)
        d_lat = abs(lat - ref_lat)
        d_lon = abs((lon - ref_lon + 180) % 360 - 180)
        if d_lat > worst_lat[0]:
            worst_lat = (d_lat, t)
        if d_lon > worst_lon[0]:
            worst_lon = (d_lon, t)
    if len(out) - 1 != count:
        print(f"expected {count} points, got {len(out) - 1}")
        return 1
    print(f"{count} instants 1950-2100: largest latitude error "
          f"{worst_lat[0]:.4f} deg ({worst_lat[1]:%Y-%m-%d %H:%M}), largest "
          f"longitude error {worst_lon[0]:.4f} deg "
          f"({worst_lon[1]:%Y-%m-%d %H:%M})")
    return 0 if max(worst_lat[0], worst_lon[0]) <= LIMIT else 1


if __name__ == "__main__":
    sys.exit(main())
