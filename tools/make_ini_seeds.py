#!/usr/bin/env python3
"""Writes the seed corpus of the INI fuzzer into tests/data/ini/.

Small settings files in every form the reader meets: UTF-8 with and without
its mark, UTF-16 in both byte orders with their marks, a UTF-16 file cut
after an odd byte, LF, CRLF and lone CR line ends, comments, quoted values,
duplicate sections and keys, keys before any section, a "[" line without
"]", invalid UTF-8 and half a surrogate pair. Standard library only; the
output is the same on every run.

    python3 tools/make_ini_seeds.py            # writes tests/data/ini/*.ini
    python3 tools/make_ini_seeds.py --out DIR
"""

import argparse
import os

CLOCK = (
    "; Ondrava settings\r\n"
    "[Ondrava]\r\n"
    "Left=120\r\n"
    "Top = 80 \r\n"
    "Name=\"Z\u00fcrich \U0001F30D\"\r\n"
    "[Globe]\r\n"
    "Texture='C:\\maps\\earth.bmp'\r\n"
    "Spin=-0.5\r\n"
)

SEEDS = {
    "utf8.ini": CLOCK.encode("utf-8"),
    "utf8-bom.ini": b"\xef\xbb\xbf" + CLOCK.encode("utf-8"),
    "utf16le.ini": b"\xff\xfe" + CLOCK.encode("utf-16-le"),
    "utf16be.ini": b"\xfe\xff" + CLOCK.encode("utf-16-be"),
    "utf16le-odd.ini": b"\xff\xfe" + "[S]\r\nK=1".encode("utf-16-le") + b"x",
    "utf16be-lone-surrogate.ini":
        b"\xfe\xff" + "[S]\nK=a".encode("utf-16-be") + b"\xdc\x00\x00\n",
    "lf.ini": b"[A]\nx=1\ny=2\n[B]\nx=3\n",
    "cr.ini": b"[A]\rx=1\ry=2\r",
    "no-final-break.ini": b"[A]\r\nx=1",
    "comments.ini": b"; x=1\r\n;[A]\r\n[A] ; note\r\n  ;k=v\r\nk=v\r\n",
    "quotes.ini": b"[Q]\r\na=\"x\"\r\nb='y'\r\nc=\"'\r\nd=\"open\r\ne=a \"b\" c\r\n",
    "duplicates.ini": b"[A]\r\nk=1\r\nk=2\r\n[a]\r\nk=3\r\nj=4\r\n[A]\r\nj=5\r\n",
    "orphans.ini": b"k=0\r\n[A\r\n=v\r\n[A]]\r\nk = \t\x1a\r\n[]\r\nk=e\r\n",
    "invalid-utf8.ini":
        b"[S]\r\nBad=\xe2\x82\r\nLong=\xf4\x90\x80\x80\r\nOver=\xc0\xaf\r\n",
    "empty.ini": b"",
}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument(
        "--out",
        default=os.path.join(os.path.dirname(__file__), "..", "tests", "data",
                             "ini"))
    out = parser.parse_args().out
    os.makedirs(out, exist_ok=True)
    for name, data in SEEDS.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
