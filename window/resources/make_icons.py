#!/usr/bin/env python3
"""Draws the Lumbrix icon and writes the files the build commits.

The icon is the visible spectrum as vertical bands, dark red at the left edge
to dark purple at the right, on a rounded square with a slightly darker rim.

Writes, into the directory given as the only argument (default: next to this
script):
  lumbrix.ico      the program file's icon on Windows: 48x48 with a
                   256-colour palette and 32x32 with 32-bit colour
  lumbrix-48.png   RGBA images for the window and the Linux desktop
  lumbrix-32.png
  lumbrix-64.png   larger RGBA images for software centres and high-density
  lumbrix-128.png  screens
  lumbrix-256.png
  lumbrix.svg      the same picture, scalable, for the hicolor "scalable" size

Standard library only, and byte-for-byte reproducible: no timestamps, no
dictionaries iterated for output, and the PNG data is stored uncompressed so
the bytes do not depend on which zlib the interpreter links against. That holds
for the large PNGs too, though lumbrix-256.png is then about 257 KB: deflate at
a fixed level is stable for one zlib, but zlib-ng (which some distributions now
ship as their zlib) picks different matches, so the committed bytes would stop
reproducing there.
"""

import struct
import sys
import zlib
from pathlib import Path

# The band colours, left edge to right edge, spaced evenly across the icon.
SPECTRUM = (
    ("dark red", (124, 0, 12)),
    ("red", (226, 16, 16)),
    ("orange", (255, 128, 0)),
    ("yellow", (255, 224, 0)),
    ("green", (32, 184, 32)),
    ("cyan", (0, 200, 224)),
    ("blue", (24, 72, 240)),
    ("violet", (128, 32, 232)),
    ("magenta", (216, 24, 200)),
    ("dark purple", (84, 0, 104)),
)

# Corner radius as a share of the edge; the rim is one pixel at every size.
CORNER_SHARE = 0.15
RIM_SHADE = 0.65
# Sub-samples per pixel edge for the anti-aliased corners.
SUPERSAMPLE = 4
# The SVG's edge in user units. The rim is one unit, so rendered at 256 px the
# SVG matches lumbrix-256.png; smaller renders use the PNGs in the icon theme.
SVG_SIZE = 256


def band_colour(x, size):
    """The spectrum's colour for pixel column x of an icon `size` wide."""
    pos = x * (len(SPECTRUM) - 1) / (size - 1)
    i = min(int(pos), len(SPECTRUM) - 2)
    f = pos - i
    a, b = SPECTRUM[i][1], SPECTRUM[i + 1][1]
    return tuple(round(ca + (cb - ca) * f) for ca, cb in zip(a, b))


def inside_rounded_square(px, py, size, radius):
    """Whether the point (px, py), in pixel units, lies in the rounded square."""
    cx = min(max(px, radius), size - radius)
    cy = min(max(py, radius), size - radius)
    return (px - cx) ** 2 + (py - cy) ** 2 <= radius * radius


def coverage(x, y, size, radius, inset=0.0):
    """Share of pixel (x, y), 0 to SUPERSAMPLE**2, inside the square shrunk by inset."""
    n = 0
    for sy in range(SUPERSAMPLE):
        for sx in range(SUPERSAMPLE):
            px = x + (sx + 0.5) / SUPERSAMPLE - inset
            py = y + (sy + 0.5) / SUPERSAMPLE - inset
            n += inside_rounded_square(px, py, size - 2 * inset, radius - inset)
    return n


def draw(size):
    """Rows of (r, g, b, a) tuples, top row first, alpha straight (not premultiplied)."""
    radius = size * CORNER_SHARE
    full = SUPERSAMPLE * SUPERSAMPLE
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            outer = coverage(x, y, size, radius)
            if outer == 0:
                row.append((0, 0, 0, 0))
                continue
            band = band_colour(x, size)
            # Pixels only partly inside the one-pixel-inset square belong to the rim.
            inner = coverage(x, y, size, radius, inset=1.0)
            shade = RIM_SHADE + (1 - RIM_SHADE) * inner / full
            colour = tuple(round(c * shade) for c in band)
            row.append(colour + (round(255 * outer / full),))
        rows.append(row)
    return rows


def stored_zlib(data):
    """A zlib stream of uncompressed deflate blocks: the same bytes everywhere."""
    out = bytearray(b"\x78\x01")
    limit = 0xFFFF
    for start in range(0, max(len(data), 1), limit):
        chunk = data[start:start + limit]
        last = start + limit >= len(data)
        out += struct.pack("<BHH", last, len(chunk), len(chunk) ^ 0xFFFF) + chunk
    out += struct.pack(">I", zlib.adler32(data))
    return bytes(out)


def png(rows):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    height, width = len(rows), len(rows[0])
    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in rows)
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", stored_zlib(raw))
            + chunk(b"IEND", b""))


def svg(size):
    """The icon as SVG, drawn the way draw() does at `size` pixels."""
    radius = size * CORNER_SHARE
    # Stop i sits where band_colour() puts colour i: columns are sampled at
    # their centres, so the first and last stops are half a unit in.
    stops = "".join(
        f'    <stop offset="{i / (len(SPECTRUM) - 1):.6g}" stop-color="#{r:02x}{g:02x}{b:02x}"/>\n'
        for i, (_, (r, g, b)) in enumerate(SPECTRUM))
    # The rim is the spectrum at RIM_SHADE brightness: black at 1 - RIM_SHADE
    # opacity over it, with the one-unit-inset square drawn at full brightness
    # on top, so the gradient is stated once.
    return (
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{size}"'
        f' viewBox="0 0 {size} {size}">\n'
        f'  <linearGradient id="spectrum" gradientUnits="userSpaceOnUse"'
        f' x1="0.5" y1="0" x2="{size - 0.5:g}" y2="0">\n'
        f'{stops}'
        f'  </linearGradient>\n'
        f'  <rect width="{size}" height="{size}" rx="{radius:.6g}" fill="url(#spectrum)"/>\n'
        f'  <rect width="{size}" height="{size}" rx="{radius:.6g}" fill="#000000"'
        f' fill-opacity="{1 - RIM_SHADE:.6g}"/>\n'
        f'  <rect x="1" y="1" width="{size - 2}" height="{size - 2}" rx="{radius - 1:.6g}"'
        f' fill="url(#spectrum)"/>\n'
        f'</svg>\n').encode("ascii")


def and_mask(rows):
    """The 1-bit transparency mask of an icon image: bottom row first, rows padded to 32 bits."""
    stride = (len(rows[0]) + 31) // 32 * 4
    out = bytearray()
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, px in enumerate(row):
            if px[3] < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += bits
    return bytes(out)


def bitmap_header(size, bit_count, colours_used):
    # An icon bitmap is twice as high as the image: colour rows, then mask rows.
    return struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bit_count, 0, 0, 0, 0, colours_used, 0)


def ico_image_indexed(rows):
    """48x48-style image: 8-bit indexes into a 256-entry palette, 1-bit mask.

    The palette format has no partial alpha, so the corners are cut at half coverage.
    """
    size = len(rows)
    colours = sorted({px[:3] for row in rows for px in row if px[3] >= 128})
    if len(colours) > 256:
        raise SystemExit(f"{len(colours)} colours do not fit a 256-colour palette")
    palette = colours + [(0, 0, 0)] * (256 - len(colours))
    index = {c: i for i, c in enumerate(palette[:len(colours)])}
    pixels = bytearray()
    for row in reversed(rows):
        line = bytes(index[px[:3]] if px[3] >= 128 else 0 for px in row)
        pixels += line + b"\x00" * (-len(line) % 4)
    return (bitmap_header(size, 8, 256)
            + b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
            + bytes(pixels) + and_mask(rows))


def ico_image_bgra(rows):
    """32x32-style image: 32-bit BGRA with alpha, plus the mask older readers use."""
    size = len(rows)
    pixels = b"".join(struct.pack("<BBBB", b, g, r, a) for row in reversed(rows) for r, g, b, a in row)
    return bitmap_header(size, 32, 0) + pixels + and_mask(rows)


def ico(images):
    """An .ico file from (size, bit_count, bitmap bytes) entries, in that order."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, bits, data in images:
        # Width, height and colour count are bytes; 0 colours means 256 or more.
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, bits, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, _, data in images)


def main():
    out_dir = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent
    out_dir.mkdir(parents=True, exist_ok=True)
    big, small = draw(48), draw(32)
    files = {
        "lumbrix.ico": ico([(48, 8, ico_image_indexed(big)), (32, 32, ico_image_bgra(small))]),
        "lumbrix-48.png": png(big),
        "lumbrix-32.png": png(small),
    }
    for size in (64, 128, 256):
        files[f"lumbrix-{size}.png"] = png(draw(size))
    files["lumbrix.svg"] = svg(SVG_SIZE)
    for name, data in files.items():
        (out_dir / name).write_bytes(data)


if __name__ == "__main__":
    main()
