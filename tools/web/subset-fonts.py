#!/usr/bin/python3
"""Writes the site's web fonts: IPA Gothic, IPA P Gothic and the four Liberation
Serif faces, cut down to the characters the site shows, as WOFF2.

  tools/web/subset-fonts.py SITE [TEXT FILE...]

The characters are those of every book in SITE's category folders, of the
text files given (the program's sources and the page), and of the fonts
already in SITE/fonts (so that running it again on a published site, after
a teacher added a book, keeps the program's own characters). Needs Debian's
python3-fonttools and python3-brotli and the fonts-ipafont-gothic and
fonts-liberation packages."""

import sys
from pathlib import Path

from fontTools import subset
from fontTools.ttLib import TTFont

sys.path.insert(0, str(Path(__file__).resolve().parent))
import sitetext  # noqa: E402

IPA = Path('/usr/share/fonts/opentype/ipafont-gothic')
LIBERATION = Path('/usr/share/fonts/truetype/liberation')
FONTS = {
    'ipagp.woff2': IPA / 'ipagp.ttf',
    'ipag.woff2': IPA / 'ipag.ttf',
    'LiberationSerif-Regular.woff2': LIBERATION / 'LiberationSerif-Regular.ttf',
    'LiberationSerif-Bold.woff2': LIBERATION / 'LiberationSerif-Bold.ttf',
    'LiberationSerif-Italic.woff2': LIBERATION / 'LiberationSerif-Italic.ttf',
    'LiberationSerif-BoldItalic.woff2': LIBERATION / 'LiberationSerif-BoldItalic.ttf',
}


def covered(path):
    """The characters a font file maps."""
    with TTFont(path) as font:
        return {chr(code) for code in font.getBestCmap()}


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    site = Path(sys.argv[1])
    out = site / 'fonts'
    out.mkdir(exist_ok=True)
    wanted = sitetext.site_characters(site) | sitetext.source_characters(sys.argv[2:])
    for name in FONTS:
        if (out / name).exists():
            wanted |= covered(out / name)
    wanted = sitetext.shown(wanted)

    options = subset.Options()
    options.flavor = 'woff2'
    # Browsers draw these faces well without the TrueType hints, which are
    # a third of the size.
    options.hinting = False
    options.desubroutinize = True
    options.name_IDs = ['*']
    options.notdef_outline = True
    # FontForge's time stamps: nothing a browser reads.
    options.drop_tables += ['FFTM']
    total = 0
    for name, source in FONTS.items():
        if not source.exists():
            sys.exit(f'subset-fonts: {source} is missing (install fonts-ipafont-gothic and fonts-liberation)')
        font = subset.load_font(str(source), options)
        subsetter = subset.Subsetter(options)
        subsetter.populate(unicodes=[ord(c) for c in wanted])
        subsetter.subset(font)
        subset.save_font(font, str(out / name), options)
        font.close()
        size = (out / name).stat().st_size
        total += size
        print(f'{name}: {size // 1024} KiB')
    print(f'fonts: {total // 1024} KiB for {len(wanted)} characters')


if __name__ == '__main__':
    main()
