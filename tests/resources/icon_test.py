#!/usr/bin/env python3
"""Checks the committed icon files as a user and Windows would see them.

Usage: icon_test.py ICONS_DIR

- lumbrix.ico holds exactly two images, 48x48 with a 256-colour palette and
  32x32 with 32-bit colour, read back with icotool (icoutils);
- every image (both .ico images as icotool decodes them, every PNG) is the
  spectrum in vertical bands: dark red at the left edge, then red, orange,
  yellow, green, cyan, blue, violet and magenta in that order, dark purple at
  the right edge, and opaque apart from its corners;
- the window's PNGs show the same picture as the program file's icon;
- lumbrix.svg is a square SVG whose gradient names the same colours in order;
- make_icons.py reproduces the committed files byte for byte.
"""

import colorsys
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
import zlib
from pathlib import Path

from checks import check, finish, need

PNG_SIZES = (48, 32, 64, 128, 256)
OUTPUTS = ("lumbrix.ico", *(f"lumbrix-{size}.png" for size in PNG_SIZES), "lumbrix.svg")

# What `icotool -l` must list, in order: (width, height, bit depth, palette size).
ICO_IMAGES = [(48, 48, 8, 256), (32, 32, 32, 0)]

# Hues the middle row must pass through, left to right, in degrees, with the
# tolerance either side. Magenta and purple sit close on the wheel, so
# "purple" is told apart by its darkness at the right edge instead.
SPECTRUM_ORDER = [
    ("red", 0, 12),
    ("orange", 30, 10),
    ("yellow", 55, 8),
    ("green", 120, 20),
    ("cyan", 187, 12),
    ("blue", 225, 12),
    ("violet", 270, 12),
    ("magenta", 302, 12),
]

def read_png_rgba(path):
    """Pixels of an 8-bit RGB or RGBA, non-interlaced PNG as rows of (r, g, b, a)."""
    data = Path(path).read_bytes()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(f"{path}: not a PNG")
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        elif kind == b"IEND":
            break
        pos += 12 + length
    width, height, depth, colour_type, _, _, interlace = header
    if depth != 8 or colour_type not in (2, 6) or interlace:
        raise ValueError(f"{path}: PNG layout {header} not handled here")
    bpp = 4 if colour_type == 6 else 3
    raw = zlib.decompress(idat)
    stride = width * bpp
    rows, prev = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + a) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + b) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 0xFF
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pred) & 0xFF
        rows.append([tuple(line[x * bpp:x * bpp + bpp]) + ((255,) if bpp == 3 else ())
                     for x in range(width)])
        prev = line
    return rows


def hue_of(rgb):
    h, s, v = colorsys.rgb_to_hsv(*(c / 255 for c in rgb))
    return h * 360, s, v


def hue_distance(a, b):
    d = abs(a - b) % 360
    return min(d, 360 - d)


def check_spectrum(name, rows):
    size = len(rows)
    opaque = sum(px[3] == 255 for row in rows for px in row)
    check(opaque >= 0.9 * size * size, f"{name}: only {opaque} of {size * size} pixels opaque")
    check(rows[size // 2][size // 2][3] == 255, f"{name}: the centre is not opaque")
    check(rows[0][0][3] == 0 and rows[-1][-1][3] == 0, f"{name}: the corners are not transparent")

    # Vertical bands: over the middle half of the height, clear of the rounded
    # corners, each column is a single colour.
    for x in range(size):
        column = {rows[y][x][:3] for y in range(size // 4, size - size // 4)}
        if not check(len(column) == 1, f"{name}: column {x} is not one colour: {sorted(column)}"):
            break

    middle = [px[:3] for px in rows[size // 2] if px[3] == 255]
    if not check(middle, f"{name}: the middle row is transparent"):
        return
    left_hue, left_sat, left_val = hue_of(middle[0])
    check(hue_distance(left_hue, 0) <= 15 and left_sat > 0.8 and left_val < 0.7,
          f"{name}: left edge {middle[0]} is not dark red")
    right_hue, right_sat, right_val = hue_of(middle[-1])
    check(265 <= right_hue <= 300 and right_sat > 0.8 and right_val < 0.5,
          f"{name}: right edge {middle[-1]} is not dark purple")
    brightest_red = max((hue_of(c)[2] for c in middle if hue_distance(hue_of(c)[0], 0) <= 12),
                        default=0)
    check(brightest_red > left_val + 0.2,
          f"{name}: no red clearly brighter than the dark red at the left edge")

    # Each named hue appears, vivid, and after the one before it.
    last_x, last_name = -1, "the left edge"
    for hue_name, hue, tolerance in SPECTRUM_ORDER:
        found = [x for x, c in enumerate(middle)
                 if x > last_x and hue_distance(hue_of(c)[0], hue) <= tolerance
                 and hue_of(c)[1] > 0.6 and hue_of(c)[2] > 0.6]
        if check(found, f"{name}: no {hue_name} after {last_name} in the middle row"):
            last_x, last_name = found[0], hue_name
    check(last_x < len(middle) - 1, f"{name}: nothing follows magenta at the right edge")


def check_svg(path):
    root = ET.parse(path).getroot()
    check(root.tag == "{http://www.w3.org/2000/svg}svg", f"{path.name}: root is {root.tag}, not svg")
    box = root.get("viewBox", "").split()
    check(len(box) == 4 and box[:2] == ["0", "0"] and box[2] == box[3],
          f"{path.name}: viewBox {box} is not 0 0 N N")
    colours = [stop.get("stop-color", "") for stop in root.iter("{http://www.w3.org/2000/svg}stop")]
    hsv = [hue_of(bytes.fromhex(c[1:])) for c in colours if len(c) == 7]
    if not check(len(hsv) == 10, f"{path.name}: stops {colours} are not ten #rrggbb colours"):
        return
    check(hue_distance(hsv[0][0], 0) <= 15 and hsv[0][2] < 0.7 and 265 <= hsv[-1][0] <= 300
          and hsv[-1][2] < 0.5, f"{path.name}: stops {colours} do not run dark red to dark purple")
    for (hue_name, hue, tolerance), (h, s, v), c in zip(SPECTRUM_ORDER, hsv[1:], colours[1:]):
        check(hue_distance(h, hue) <= tolerance and s > 0.6 and v > 0.6,
              f"{path.name}: stop {c} where {hue_name} belongs")


def main():
    icons = Path(sys.argv[1])
    icotool = need("icotool", "icoutils")

    listing = subprocess.run([icotool, "-l", str(icons / "lumbrix.ico")], check=True,
                             capture_output=True, text=True).stdout.split("\n")
    found = []
    for line in filter(None, listing):
        fields = dict(f.lstrip("-").split("=") for f in line.split() if "=" in f)
        check(line.startswith("--icon "), f"lumbrix.ico: not an icon image: {line}")
        found.append(tuple(int(fields.get(k, 0)) for k in
                           ("width", "height", "bit-depth", "palette-size")))
    check(found == ICO_IMAGES, f"lumbrix.ico holds {found}, expected {ICO_IMAGES}")

    with tempfile.TemporaryDirectory() as tmp:
        tmp = Path(tmp)
        extract = subprocess.run([icotool, "-x", "-o", str(tmp), str(icons / "lumbrix.ico")],
                                 capture_output=True, text=True)
        check(extract.returncode == 0, f"icotool cannot decode lumbrix.ico: {extract.stderr.strip()}")
        images = {}
        for width, height, depth, _ in ICO_IMAGES:
            matches = sorted(tmp.glob(f"*_{width}x{height}x{depth}.png"))
            if check(len(matches) == 1, f"lumbrix.ico: no single {width}x{height}x{depth} image"):
                images[f"lumbrix.ico {width}x{height}x{depth}"] = read_png_rgba(matches[0])
        for size in PNG_SIZES:
            rows = images[f"lumbrix-{size}.png"] = read_png_rgba(icons / f"lumbrix-{size}.png")
            check(len(rows) == size, f"lumbrix-{size}.png is {len(rows)} pixels high")

        for name, rows in images.items():
            check(len(rows) == len(rows[0]) in PNG_SIZES, f"{name}: not a {PNG_SIZES} pixel square")
            check_spectrum(name, rows)
        check_svg(icons / "lumbrix.svg")

        # The window and the program file show the same picture. The palette
        # image has only a 1-bit mask, so compare it where it is opaque.
        png32, ico32 = images.get("lumbrix-32.png"), images.get("lumbrix.ico 32x32x32")
        check(png32 == ico32, "lumbrix-32.png differs from the 32x32 image of lumbrix.ico")
        png48, ico48 = images.get("lumbrix-48.png"), images.get("lumbrix.ico 48x48x8")
        if png48 and ico48:
            differ = [(x, y) for y in range(48) for x in range(48)
                      if png48[y][x][3] == 255 and png48[y][x] != ico48[y][x]]
            check(not differ, f"lumbrix-48.png differs from the 48x48 image of lumbrix.ico at {differ[:5]}")

        # Regenerating must not change a byte of what is committed.
        out = tmp / "regenerated"
        subprocess.run([sys.executable, str(icons / "make_icons.py"), str(out)], check=True)
        for name in OUTPUTS:
            check((out / name).read_bytes() == (icons / name).read_bytes(),
                  f"make_icons.py does not reproduce {name}; run it and commit the result")

    finish(f"lumbrix.ico {ICO_IMAGES}, {len(images)} images show the spectrum, generator reproduces")


if __name__ == "__main__":
    main()
