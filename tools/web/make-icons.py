#!/usr/bin/python3
"""Draws the site's PNG icons from the program's own logo (an XPM picture).

  tools/web/make-icons.py LOGO.xpm FOLDER

The logo is drawn in whole pixels, so it is enlarged pixel for pixel; the
maskable icon keeps the logo inside the middle 80 % that every launcher
shows, on the logo's own border colour."""

import re
import sys
from pathlib import Path

from PIL import Image


def read_xpm(path):
    """The XPM's pixels as an RGBA picture (colours #RRGGBB or None)."""
    strings = re.findall(r'"((?:[^"\\]|\\.)*)"', Path(path).read_text(encoding='ascii'))
    width, height, ncolors, cpp = (int(v) for v in strings[0].split()[:4])
    palette = {}
    for line in strings[1:1 + ncolors]:
        key, rest = line[:cpp], line[cpp:].split()
        colour = rest[rest.index('c') + 1]
        if colour.lower() == 'none':
            palette[key] = (0, 0, 0, 0)
        else:
            palette[key] = (int(colour[1:3], 16), int(colour[3:5], 16), int(colour[5:7], 16), 255)
    picture = Image.new('RGBA', (width, height))
    rows = strings[1 + ncolors:1 + ncolors + height]
    for y, row in enumerate(rows):
        for x in range(width):
            picture.putpixel((x, y), palette[row[x * cpp:(x + 1) * cpp]])
    return picture


def enlarged(picture, size):
    return picture.resize((size, size), Image.NEAREST)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    logo = read_xpm(sys.argv[1])
    folder = Path(sys.argv[2])
    folder.mkdir(parents=True, exist_ok=True)
    for size in (32, 48, 192, 512):
        enlarged(logo, size).save(folder / f'icon-{size}.png', optimize=True)
    # The logo's corner pixel is its border colour.
    maskable = Image.new('RGBA', (512, 512), logo.getpixel((0, 0)))
    inner = enlarged(logo, 384)
    maskable.paste(inner, (64, 64), inner)
    maskable.save(folder / 'icon-maskable-512.png', optimize=True)


if __name__ == '__main__':
    main()
