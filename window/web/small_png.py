#!/usr/bin/env python3
"""small_png.py IN.png OUT.png: the same image with its pixel data deflated.

window/resources/ stores its PNGs uncompressed, so that their committed bytes
do not depend on the zlib at hand; the page's copies are made at build time
(like the site's zip, with this machine's zlib) and go over the network.
"""
import pathlib
import struct
import sys
import zlib

if len(sys.argv) != 3:
    sys.exit(__doc__)
data = pathlib.Path(sys.argv[1]).read_bytes()
signature, chunks, at = data[:8], [], 8
while at < len(data):
    (length,) = struct.unpack(">I", data[at:at + 4])
    chunks.append((data[at + 4:at + 8], data[at + 8:at + 8 + length]))
    at += 12 + length
pixels = zlib.compress(zlib.decompress(b"".join(body for kind, body in chunks if kind == b"IDAT")), 9)


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


out = [signature]
for kind, body in chunks:
    if kind == b"IDAT":
        if pixels:
            out.append(chunk(kind, pixels))
            pixels = b""
    else:
        out.append(chunk(kind, body))
pathlib.Path(sys.argv[2]).write_bytes(b"".join(out))
