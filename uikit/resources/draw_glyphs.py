#!/usr/bin/env python3
"""Draws the toolkit's two embedded images with nothing but the standard library.

    glyph_strip.png     66 x 128, resource PNG 2000: caption-button and check-box glyphs
    dropdown_arrow.png  10 x 7,   resource PNG 2001: the arrow of a button's drop-down strip

Each glyph is drawn inside the fixed rectangle the toolkit cuts it from (GLYPHS below).
Shapes are anti-aliased by 8 x 8 supersampling and written as straight-alpha RGBA.
Run from anywhere: python3 uikit/resources/draw_glyphs.py
"""

import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools",
                                "art"))
from canvas import Canvas  # noqa: E402

INK = (64, 64, 64, 255)
HALO = (255, 255, 255, 110)
BOX_FILL = (255, 255, 255, 235)
BOX_EDGE = (112, 112, 112, 255)
TICK = (29, 79, 162, 255)


def segment_distance(x, y, a, b):
    (ax, ay), (bx, by) = a, b
    dx, dy = bx - ax, by - ay
    length = dx * dx + dy * dy
    t = 0 if length == 0 else max(0, min(1, ((x - ax) * dx + (y - ay) * dy) / length))
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


def on_polyline(points, width, closed=False):
    segments = list(zip(points, points[1:] + (points[:1] if closed else [])))
    return lambda x, y: any(segment_distance(x, y, a, b) <= width / 2 for a, b in segments)


def in_polygon(points):
    def inside(x, y):
        result = False
        for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                result = not result
        return result
    return inside


def rounded_box_distance(x, y, box, radius):
    x0, y0, x1, y1 = box
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    qx = abs(x - cx) - ((x1 - x0) / 2 - radius)
    qy = abs(y - cy) - ((y1 - y0) / 2 - radius)
    return math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0) - radius


def stroke(canvas, origin, points, width, closed=False):
    """Strokes a polyline given in glyph coordinates, with a light halo under the ink."""
    ox, oy = origin
    moved = [(ox + x, oy + y) for x, y in points]
    box = (int(min(x for x, _ in moved)) - 3, int(min(y for _, y in moved)) - 3,
           int(max(x for x, _ in moved)) + 4, int(max(y for _, y in moved)) + 4)
    canvas.paint(on_polyline(moved, width + 2, closed), HALO, box)
    canvas.paint(on_polyline(moved, width, closed), INK, box)


def check_box(canvas, origin, ticked):
    ox, oy = origin
    outer = (ox + 1, oy + 1, ox + 15, oy + 15)
    box = (ox, oy, ox + 16, oy + 16)
    canvas.paint(lambda x, y: rounded_box_distance(x, y, outer, 2.5) <= 0, BOX_FILL, box)
    canvas.paint(lambda x, y: abs(rounded_box_distance(x, y, outer, 2.5) + 0.5) <= 0.5,
                 BOX_EDGE, box)
    if ticked:
        tick = [(ox + 4, oy + 8.5), (ox + 7, oy + 11.5), (ox + 12.2, oy + 4.8)]
        canvas.paint(on_polyline(tick, 2.0), TICK, box)


def glyph_strip():
    canvas = Canvas(66, 128)
    # Minimize (4, 6, 16, 18): a bar near the bottom.
    stroke(canvas, (4, 6), [(2.5, 9), (9.5, 9)], 1.6)
    # Restore (27, 6, 41, 18): two overlapping windows.
    stroke(canvas, (27, 6), [(5.5, 4), (5.5, 2), (12, 2), (12, 8), (10, 8)], 1.2)
    stroke(canvas, (27, 6), [(2, 4.5), (9.5, 4.5), (9.5, 10), (2, 10)], 1.2, closed=True)
    # Close (49, 6, 61, 18): a cross.
    stroke(canvas, (49, 6), [(2.5, 2.5), (9.5, 9.5)], 1.6)
    stroke(canvas, (49, 6), [(9.5, 2.5), (2.5, 9.5)], 1.6)
    # Maximize (22, 54, 44, 66): one window with a heavy title edge.
    stroke(canvas, (22, 54), [(6.5, 2), (15.5, 2), (15.5, 10), (6.5, 10)], 1.2, closed=True)
    stroke(canvas, (22, 54), [(6.5, 3), (15.5, 3)], 1.2)
    # Skin (22, 70, 44, 86): a shirt.
    shirt = [(7, 2.5), (9.5, 2.5), (11, 4.5), (12.5, 2.5), (15, 2.5), (19, 6), (16.5, 8.5),
             (15.5, 7.5), (15.5, 13.5), (6.5, 13.5), (6.5, 7.5), (5.5, 8.5), (3, 6)]
    stroke(canvas, (22, 70), shirt, 1.2, closed=True)
    # Menu (49, 70, 61, 82): three lines.
    for y in (3, 6, 9):
        stroke(canvas, (49, 70), [(2.5, y), (9.5, y)], 1.4)
    # Check boxes, 16 x 16: clear at (5, 52), ticked at (5, 71).
    check_box(canvas, (5, 52), ticked=False)
    check_box(canvas, (5, 71), ticked=True)
    return canvas


def dropdown_arrow():
    canvas = Canvas(10, 7)
    canvas.paint(in_polygon([(0.5, 1), (9.5, 1), (5, 6.2)]), INK, (0, 0, 10, 7))
    return canvas


def main():
    folder = os.path.dirname(os.path.abspath(__file__))
    for name, canvas in (("glyph_strip.png", glyph_strip()),
                         ("dropdown_arrow.png", dropdown_arrow())):
        with open(os.path.join(folder, name), "wb") as out:
            out.write(canvas.png())


if __name__ == "__main__":
    main()
