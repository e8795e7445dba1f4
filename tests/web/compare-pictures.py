#!/usr/bin/python3
"""Compares the browser's picture of a window with the desktop's.

    compare-pictures.py NAME DESKTOP.png WEB.png DIFFERENCE.png

Both are 861 x 418. The two builds draw the same controls in the same
places and colours, but their text is rasterised by two engines (Qt with
FreeType, Chromium with Skia): glyphs differ in their anti-aliasing and may
sit a pixel apart. So a pixel counts as wrong only when its colour is
outside every colour found within one pixel of the same place in the other
picture, by more than LEVEL in some channel, looked at both ways. Measured
on Debian 12 (Qt 6.4, Chromium 15x): 128 such pixels in the start window and
138 in the question, spread thinly over the text (29 at most in one 20 x 20
cell). A menu button moved by 10 px makes 324 (62 in one cell), its text in
grey 345 (68 in one cell); a control with a wrong background colour, as many
as it has pixels. Writes the wrong pixels in black on white to
DIFFERENCE.png; exit 1 when there are more than ALLOWED in all or more than
ALLOWED_IN_CELL in one cell.
"""
import sys
from collections import Counter

from PIL import Image, ImageChops, ImageFilter

SIZE = (861, 418)
LEVEL = 64
ALLOWED = 250
CELL = 20
ALLOWED_IN_CELL = 40


def outside(a, b):
    """Where a's colour is outside the colours of b's 3 x 3 neighbourhood."""
    highest = b.filter(ImageFilter.MaxFilter(3))
    lowest = b.filter(ImageFilter.MinFilter(3))
    beyond = ImageChops.lighter(ImageChops.subtract(a, highest), ImageChops.subtract(lowest, a))
    red, green, blue = beyond.split()
    return ImageChops.lighter(ImageChops.lighter(red, green), blue).point(lambda v: 255 if v > LEVEL else 0)


def main():
    name, desktop_path, web_path, difference_path = sys.argv[1:5]
    desktop = Image.open(desktop_path).convert('RGB')
    web = Image.open(web_path).convert('RGB')
    if desktop.size != SIZE or web.size != SIZE:
        print(f'FAIL the {name} window: pictures of {desktop.size} and {web.size}, not {SIZE}')
        return 1
    wrong = ImageChops.lighter(outside(desktop, web), outside(web, desktop))
    ImageChops.invert(wrong).save(difference_path)
    cells = Counter()
    pixels = wrong.load()
    for y in range(SIZE[1]):
        for x in range(SIZE[0]):
            if pixels[x, y]:
                cells[(x // CELL * CELL, y // CELL * CELL)] += 1
    count = sum(cells.values())
    (worst, in_worst), = cells.most_common(1) or [((0, 0), 0)]
    what = (f'the {name} window looks the same in the browser as on the desktop ({count} pixels apart,'
            f' {ALLOWED} allowed; {in_worst} in the cell at {worst}, {ALLOWED_IN_CELL} allowed)')
    if count > ALLOWED or in_worst > ALLOWED_IN_CELL:
        print(f'FAIL {what}; see {difference_path}')
        return 1
    print(f'PASS {what}')
    return 0


if __name__ == '__main__':
    sys.exit(main())
