#!/usr/bin/env python3
"""Draws the desktop program's artwork with nothing but the standard library.

    image.png       32 x 31   Add button: a picture with a plus badge
    delete.png      32 x 32   Remove button: a waste bin
    settings.png    32 x 32   Settings button: a gear wheel
    make.png        32 x 32   Make button: a document with a ribbon
    app.png         32 x 32   Home-page button: a house
    view2.png       16 x 14   preview toggle: a window with its side panel
    folioforge.png  64 x 64   the program's icon: pages with a picture
    logo.png       128 x 128  the same, large, for the about box
    7.png         1000 x 800  the default background: a quiet sky with two soft waves

Shapes are anti-aliased by supersampling and written as straight-alpha RGBA PNG files.
Run from anywhere: python3 res/draw_artwork.py
"""

import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools", "art"))
from canvas import Canvas  # noqa: E402

BLUE = (29, 95, 168, 255)
SKY = (170, 214, 245, 255)
GREEN = (59, 165, 92, 255)
DARK_GREEN = (38, 120, 66, 255)
ORANGE = (242, 140, 40, 255)
RED = (214, 69, 65, 255)
GREY = (90, 100, 112, 255)
LIGHT_GREY = (200, 206, 214, 255)
WHITE = (255, 255, 255, 255)
SHADOW = (0, 0, 0, 60)


# ---- shapes, in pixel coordinates --------------------------------------------------------

def rounded_box(box, radius):
    x0, y0, x1, y1 = box
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - radius, (y1 - y0) / 2 - radius

    def inside(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        return math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0) <= radius
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, outer, inner):
    return lambda x, y: inner * inner <= (x - cx) ** 2 + (y - cy) ** 2 <= outer * outer


def polygon(points):
    def inside(x, y):
        result = False
        for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                result = not result
        return result
    return inside


def thick_line(a, b, width):
    (ax, ay), (bx, by) = a, b
    dx, dy = bx - ax, by - ay
    length = dx * dx + dy * dy

    def inside(x, y):
        t = 0 if length == 0 else max(0, min(1, ((x - ax) * dx + (y - ay) * dy) / length))
        return math.hypot(x - ax - t * dx, y - ay - t * dy) <= width / 2
    return inside


def outline(shape_outer, shape_inner):
    return lambda x, y: shape_outer(x, y) and not shape_inner(x, y)


def scaled(points, s, dx=0, dy=0):
    return [(x * s + dx, y * s + dy) for x, y in points]


# ---- pictures ----------------------------------------------------------------------------

def picture(canvas, box, s):
    """A framed landscape (sky, hills, sun) inside box; s is the stroke scale."""
    x0, y0, x1, y1 = box
    w, h = x1 - x0, y1 - y0
    canvas.paint(rounded_box(box, 2.5 * s), BLUE)
    inner = (x0 + 1.6 * s, y0 + 1.6 * s, x1 - 1.6 * s, y1 - 1.6 * s)
    canvas.paint(rounded_box(inner, 1.2 * s), SKY)
    clip = rounded_box(inner, 1.2 * s)
    canvas.paint(lambda x, y: clip(x, y) and circle(x0 + 0.7 * w, y0 + 0.32 * h, 0.12 * w)(x, y),
                 ORANGE)
    back = polygon([(x0, y1), (x0 + 0.35 * w, y0 + 0.45 * h), (x0 + 0.7 * w, y1)])
    front = polygon([(x0 + 0.3 * w, y1), (x0 + 0.68 * w, y0 + 0.55 * h), (x1 + 0.1 * w, y1)])
    canvas.paint(lambda x, y: clip(x, y) and back(x, y), DARK_GREEN)
    canvas.paint(lambda x, y: clip(x, y) and front(x, y), GREEN)


def add_icon():
    canvas = Canvas(32, 31)
    picture(canvas, (1, 3, 26, 24), 1.0)
    canvas.paint(circle(24.5, 23.5, 7), WHITE)
    canvas.paint(circle(24.5, 23.5, 6), GREEN)
    canvas.paint(thick_line((21, 23.5), (28, 23.5), 2.2), WHITE)
    canvas.paint(thick_line((24.5, 20), (24.5, 27), 2.2), WHITE)
    return canvas


def delete_icon():
    canvas = Canvas(32, 32)
    canvas.paint(rounded_box((11, 3, 21, 8), 1.5), GREY)
    canvas.paint(rounded_box((13, 5, 19, 8), 0.5), WHITE)
    canvas.paint(rounded_box((5, 7, 27, 10.5), 1.5), GREY)
    body = polygon([(7.5, 11.5), (24.5, 11.5), (22.8, 29), (9.2, 29)])
    canvas.paint(body, RED)
    for x in (12.5, 16, 19.5):
        canvas.paint(thick_line((x, 14.5), (x, 26), 1.8), (255, 255, 255, 200))
    return canvas


def settings_icon():
    canvas = Canvas(32, 32)
    cx = cy = 16

    def gear(x, y):
        angle = math.atan2(y - cy, x - cx)
        radius = math.hypot(x - cx, y - cy)
        tooth = math.cos(angle * 8) > 0.2
        return radius <= (14 if tooth else 11.2) and radius >= 4.6
    canvas.paint(gear, GREY)
    canvas.paint(ring(cx, cy, 8.2, 4.6), (130, 140, 152, 255))
    canvas.paint(ring(cx, cy, 4.6, 3.4), BLUE)
    return canvas


def document(canvas, x0, y0, x1, y1, s):
    fold = 6 * s
    page = [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)]
    canvas.paint(polygon(page), BLUE)
    inner = [(x0 + s, y0 + s), (x1 - fold - 0.4 * s, y0 + s), (x1 - s, y0 + fold + 0.4 * s),
             (x1 - s, y1 - s), (x0 + s, y1 - s)]
    canvas.paint(polygon(inner), WHITE)
    canvas.paint(polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)]), SKY)


def make_icon():
    canvas = Canvas(32, 32)
    document(canvas, 5, 2, 27, 30, 1.0)
    for y in (9, 12.5):
        canvas.paint(thick_line((9, y), (20, y), 1.4), LIGHT_GREY)
    canvas.paint(rounded_box((2, 16, 24, 25), 1.5), RED)
    # Three white strokes suggesting lettering on the ribbon.
    canvas.paint(thick_line((5.5, 18.5), (5.5, 22.5), 1.5), WHITE)
    canvas.paint(thick_line((5.5, 18.8), (8.2, 18.8), 1.5), WHITE)
    canvas.paint(thick_line((8.2, 18.8), (8.2, 20.6), 1.5), WHITE)
    canvas.paint(thick_line((5.5, 20.6), (8.2, 20.6), 1.5), WHITE)
    canvas.paint(thick_line((11, 18.5), (11, 22.5), 1.5), WHITE)
    canvas.paint(ring(11, 20.5, 2.7, 1.3), WHITE, (11, 16, 15, 25))
    canvas.paint(thick_line((17, 18.5), (17, 22.5), 1.5), WHITE)
    canvas.paint(thick_line((17, 18.8), (20.5, 18.8), 1.5), WHITE)
    canvas.paint(thick_line((17, 20.6), (19.8, 20.6), 1.5), WHITE)
    return canvas


def home_icon():
    canvas = Canvas(32, 32)
    canvas.paint(polygon([(7, 15), (25, 15), (25, 29), (7, 29)]), WHITE)
    canvas.paint(outline(polygon([(6, 14), (26, 14), (26, 30), (6, 30)]),
                         polygon([(8, 14), (24, 14), (24, 28), (8, 28)])), BLUE)
    canvas.paint(polygon([(2, 16), (16, 3), (30, 16), (27.5, 18), (16, 7.4), (4.5, 18)]), ORANGE)
    canvas.paint(rounded_box((13, 19, 19, 29), 1), BLUE)
    canvas.paint(rounded_box((21, 5, 24.5, 12), 0.5), GREY)
    return canvas


def view_icon():
    canvas = Canvas(16, 14)
    frame = rounded_box((0.5, 0.5, 15.5, 13.5), 1.5)
    canvas.paint(outline(frame, rounded_box((1.7, 1.7, 14.3, 12.3), 0.6)), GREY)
    canvas.paint(rounded_box((9, 2.5, 13.5, 11.5), 0.5), BLUE)
    for y in (4, 6.5, 9):
        canvas.paint(thick_line((3.2, y), (7.2, y), 1.1), LIGHT_GREY)
    return canvas


def program_icon(size, samples):
    canvas = Canvas(size, size, samples)
    s = size / 64
    canvas.paint(polygon(scaled([(14, 6), (50, 2), (56, 50), (20, 54)], s)), ORANGE)
    canvas.paint(rounded_box(tuple(v * s for v in (10, 12, 48, 62)), 3 * s), SHADOW)
    document(canvas, 8 * s, 8 * s, 46 * s, 58 * s, 2 * s)
    picture(canvas, (13 * s, 24 * s, 41 * s, 46 * s), 1.5 * s)
    for y in (16, 50.5):
        canvas.paint(thick_line((14 * s, y * s), (30 * s, y * s), 2.2 * s), LIGHT_GREY)
    return canvas


def background(width, height):
    canvas = Canvas(width, height, 1)
    top, bottom = (236, 246, 255), (184, 221, 247)
    for y in range(height):
        t = y / (height - 1)
        row_colour = tuple(round(top[i] + (bottom[i] - top[i]) * t) for i in range(3))
        canvas.pixels[y] = [row_colour + (255,)] * width

    def wave(base, amplitude, length, phase, colour):
        for x in range(width):
            edge = base + amplitude * math.sin(2 * math.pi * x / length + phase)
            for y in range(max(0, int(edge) - 1), height):
                coverage = min(1.0, max(0.0, y + 1 - edge))
                canvas.blend(x, y, colour, coverage)

    wave(height * 0.62, height * 0.05, width * 1.3, 0.6, (255, 255, 255, 70))
    wave(height * 0.78, height * 0.04, width * 0.9, 2.1, (120, 180, 230, 60))
    return canvas


def main():
    folder = os.path.dirname(os.path.abspath(__file__))
    pictures = (("image.png", add_icon()), ("delete.png", delete_icon()),
                ("settings.png", settings_icon()), ("make.png", make_icon()),
                ("app.png", home_icon()), ("view2.png", view_icon()),
                ("folioforge.png", program_icon(64, 6)), ("logo.png", program_icon(128, 3)),
                ("7.png", background(1000, 800)))
    for name, canvas in pictures:
        with open(os.path.join(folder, name), "wb") as out:
            out.write(canvas.png())


if __name__ == "__main__":
    main()
