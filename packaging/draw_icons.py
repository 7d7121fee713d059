#!/usr/bin/env python3
"""Draws the program's icon for the desktop's icon theme with nothing but the standard library.

    icons/hicolor/SIZExSIZE/apps/folioforge.png   16, 32, 48, 64, 128 and 256 px, rendered by
                                                  the artwork script's program_icon()
    icons/hicolor/scalable/apps/folioforge.svg    the same shapes as vector paths

The 64 px and 128 px pictures are the same bytes as res/folioforge.png and res/logo.png.
Run from anywhere: python3 packaging/draw_icons.py
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "res"))
import draw_artwork as art  # noqa: E402

# Supersampling per size: the small icons need the most samples per pixel to stay smooth; the
# two sizes the program itself ships use the artwork script's own choice.
SIZES = ((16, 8), (32, 8), (48, 6), (64, 6), (128, 3), (256, 2))


def colour(rgba):
    r, g, b, a = rgba
    return 'fill="#%02x%02x%02x"%s' % (r, g, b, "" if a == 255 else ' fill-opacity="%.3f"' % (a / 255))


def points(pairs):
    return " ".join("%g,%g" % (round(x, 3), round(y, 3)) for x, y in pairs)


def picture_svg(box, s):
    """art.picture() as SVG: the framed landscape clipped to its inner frame."""
    x0, y0, x1, y1 = box
    w, h = x1 - x0, y1 - y0
    inner = (x0 + 1.6 * s, y0 + 1.6 * s, x1 - 1.6 * s, y1 - 1.6 * s)
    ix0, iy0, ix1, iy1 = inner

    def rect(b, r, fill, extra=""):
        return ('<rect x="%g" y="%g" width="%g" height="%g" rx="%g" %s%s/>'
                % (b[0], b[1], b[2] - b[0], b[3] - b[1], r, colour(fill), extra))
    clip = ('<clipPath id="frame"><rect x="%g" y="%g" width="%g" height="%g" rx="%g"/></clipPath>'
            % (ix0, iy0, ix1 - ix0, iy1 - iy0, 1.2 * s))
    back = [(x0, y1), (x0 + 0.35 * w, y0 + 0.45 * h), (x0 + 0.7 * w, y1)]
    front = [(x0 + 0.3 * w, y1), (x0 + 0.68 * w, y0 + 0.55 * h), (x1 + 0.1 * w, y1)]
    return [clip, rect(box, 2.5 * s, art.BLUE), rect(inner, 1.2 * s, art.SKY),
            '<g clip-path="url(#frame)">',
            '<circle cx="%g" cy="%g" r="%g" %s/>' % (x0 + 0.7 * w, y0 + 0.32 * h, 0.12 * w,
                                                   colour(art.ORANGE)),
            '<polygon points="%s" %s/>' % (points(back), colour(art.DARK_GREEN)),
            '<polygon points="%s" %s/>' % (points(front), colour(art.GREEN)),
            '</g>']


def document_svg(x0, y0, x1, y1, s):
    """art.document() as SVG."""
    fold = 6 * s
    page = [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)]
    inner = [(x0 + s, y0 + s), (x1 - fold - 0.4 * s, y0 + s), (x1 - s, y0 + fold + 0.4 * s),
             (x1 - s, y1 - s), (x0 + s, y1 - s)]
    corner = [(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)]
    return ['<polygon points="%s" %s/>' % (points(p), colour(c))
            for p, c in ((page, art.BLUE), (inner, art.WHITE), (corner, art.SKY))]


def program_icon_svg():
    """art.program_icon() at its design size of 64 units."""
    body = ['<polygon points="%s" %s/>' % (points([(14, 6), (50, 2), (56, 50), (20, 54)]),
                                           colour(art.ORANGE)),
            '<rect x="10" y="12" width="38" height="50" rx="3" %s/>' % colour(art.SHADOW)]
    body += document_svg(8, 8, 46, 58, 2)
    body += picture_svg((13, 24, 41, 46), 1.5)
    for y in (16, 50.5):
        body.append('<line x1="14" y1="%g" x2="30" y2="%g" stroke="#%02x%02x%02x" '
                    'stroke-width="2.2" stroke-linecap="round"/>' % ((y, y) + art.LIGHT_GREY[:3]))
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">\n'
            + "\n".join("  " + element for element in body) + "\n</svg>\n")


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(data)


def main():
    theme = os.path.join(HERE, "icons", "hicolor")
    for size, samples in SIZES:
        name = os.path.join(theme, "%dx%d" % (size, size), "apps", "folioforge.png")
        write(name, art.program_icon(size, samples).png())
    write(os.path.join(theme, "scalable", "apps", "folioforge.svg"),
          program_icon_svg().encode("utf-8"))


if __name__ == "__main__":
    main()
