"""The characters piyoran's site must be able to show: every book of the
site's category folders, every text of the program and of the page."""

import codecs
import re
from pathlib import Path

# Category folders are named by three digits, as the program's buttons ask.
CATEGORY = re.compile(r'^\d{3}$')

# Characters that code page 932 converters map to either of two code points;
# both are kept so a book shows whichever one the program decodes to.
CP932_TWINS = {
    '\u301c': '\uff5e', '\uff5e': '\u301c', '\u2016': '\u2225', '\u2225': '\u2016',
    '\u2212': '\uff0d', '\uff0d': '\u2212', '\u00a2': '\uffe0', '\uffe0': '\u00a2',
    '\u00a3': '\uffe1', '\uffe1': '\u00a3', '\u00ac': '\uffe2', '\uffe2': '\u00ac',
    '\u2014': '\u2015', '\u2015': '\u2014',
}

# Shown for a character that code page 932 lacks.
REPLACEMENT = '\u3013'


def book_text(raw):
    """A book's bytes as text, read as the program reads a book: UTF-8 with a
    byte order mark, code page 932, or else UTF-8."""
    if raw.startswith(codecs.BOM_UTF8):
        return raw[3:].decode('utf-8', 'replace')
    try:
        return raw.decode('cp932')
    except UnicodeDecodeError:
        return raw.decode('utf-8', 'replace')


def category_folders(site):
    return sorted(p for p in Path(site).iterdir() if p.is_dir() and CATEGORY.match(p.name))


def site_characters(site):
    """Every character of every file in the site's category folders."""
    found = set()
    for folder in category_folders(site):
        for book in folder.iterdir():
            if book.is_file() and not book.name.startswith('.'):
                found |= set(book_text(book.read_bytes()))
                found |= set(book.name)
    return found


def source_characters(paths):
    """Every character of the given files (the program's sources, the page)."""
    found = set()
    for path in paths:
        found |= set(Path(path).read_text(encoding='utf-8', errors='replace'))
    return found


def shown(characters):
    """The characters a font is asked to draw: no controls, with their twins."""
    kept = {c for c in characters if c >= ' ' and c != '\x7f' and c != '\ufffd'}
    kept |= {CP932_TWINS[c] for c in kept if c in CP932_TWINS}
    kept |= {chr(c) for c in range(0x20, 0x7f)}
    kept.add(REPLACEMENT)
    return kept
