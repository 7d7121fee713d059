"""A small RGBA canvas for the project's artwork scripts, with nothing but the standard library.

Shapes are predicates inside(x, y) over pixel coordinates; paint() anti-aliases them by
supersampling, blend() composes straight-alpha colours, png() writes an RGBA PNG file.
"""

import math
import struct
import zlib


class Canvas:
    def __init__(self, width, height, samples=8):
        self.width = width
        self.height = height
        self.samples = samples
        self.pixels = [[(0, 0, 0, 0)] * width for _ in range(height)]

    def paint(self, inside, colour, box=None):
        """Blends colour over the pixels of box (x0, y0, x1, y1; default: all) by the share of
        their samples for which inside(x, y) holds."""
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        n = self.samples
        for py in range(max(0, int(y0)), min(self.height, int(math.ceil(y1)))):
            for px in range(max(0, int(x0)), min(self.width, int(math.ceil(x1)))):
                hits = sum(1 for sy in range(n) for sx in range(n)
                           if inside(px + (sx + 0.5) / n, py + (sy + 0.5) / n))
                if hits:
                    self.blend(px, py, colour, hits / (n * n))

    def blend(self, x, y, colour, coverage):
        r, g, b, a = self.pixels[y][x]
        sa = colour[3] / 255 * coverage
        da = a / 255
        out = sa + da * (1 - sa)
        if out == 0:
            return
        mix = [(colour[i] * sa + (r, g, b)[i] * da * (1 - sa)) / out for i in range(3)]
        self.pixels[y][x] = tuple(round(v) for v in mix) + (round(out * 255),)

    def png(self):
        raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in self.pixels)

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 6, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
