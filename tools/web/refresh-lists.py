#!/usr/bin/python3
"""Brings a piyoran site up to date after books were added, removed or
renamed in its category folders (001 ... 009):

  tools/web/refresh-lists.py SITE

  1. writes SITE/books.json, the books of every category folder as the
     program's book list shows them (a browser cannot look into a folder),
     and SITE/disk.json with SITE/disk.bin, the files the program finds in
     its folder: every file of the category folders, image/ and resources/;
  2. checks every book with the book checker, piyoran-check, when it can be
     found (on the PATH, in $PIYORAN_CHECK, or built in build/ next to this
     script's project);
  3. cuts the web fonts again when a book brings characters they lack (with
     python3-fonttools and the IPA and Liberation fonts installed; else it
     says which characters will come from the device's own font);
  4. writes the service worker's list of the site's files and a version made
     from their contents, so browsers that keep the site offline take the
     new books at their next visit.

Exit status: 0 done; 1 the checker found errors in a book (the lists are
written all the same); 2 wrong command line or no such folder."""

import hashlib
import json
import os
import re
import shutil
import subprocess
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import sitetext  # noqa: E402
from disk import write_disk  # noqa: E402

# The files the program's book list shows: the same mask as the program's.
BOOK_MASK = '*.ppm;*.qt1;*.qt2;*.qt3;*.qt4;*.qt5;*.qt6;*.qt7;*.qt8;*.qt9;*.txt'

# The checker's line for a book it has nothing to say about.
BOOK_WITHOUT_REMARKS = re.compile(r'^\S.*: [a-z-]+, \d+ questions?$')

# The line of the service worker that this tool writes.
SITE_LINE = re.compile(r'^const SITE = .*;$', re.MULTILINE)

PROJECT = Path(__file__).resolve().parent.parent.parent


def pattern_matcher(pattern):
    """A file-name pattern as the book list reads it: "*" and "?" are
    wildcards, everything else stands for itself, ASCII letters in either case."""
    if pattern in ('*', '*.*'):
        return lambda name: True
    regex = ''.join('.*' if c == '*' else '.' if c == '?' else re.escape(c) for c in pattern)
    compiled = re.compile(regex, re.IGNORECASE | re.ASCII | re.DOTALL)
    return lambda name: compiled.fullmatch(name) is not None


def list_order(name):
    """The list's order: letters compared without regard to case, byte by
    byte, and names that differ only in case by their bytes."""
    raw = name.encode('utf-8', 'surrogateescape')
    return (raw.lower(), raw)


def books_of(folder, mask=BOOK_MASK):
    """The plain, visible files of a folder that match the mask, in the
    list's order."""
    matchers = [pattern_matcher(p) for p in mask.split(';') if p]
    names = []
    with os.scandir(folder) as entries:
        for entry in entries:
            name = entry.name
            if not name or name.startswith('.'):
                continue
            try:
                if not entry.is_file():  # follows links, as the list does
                    continue
            except OSError:
                continue
            if any(match(name) for match in matchers):
                names.append(name)
    return sorted(names, key=list_order)


def write_lists(site):
    folders = {}
    for folder in sitetext.category_folders(site):
        names = []
        for name in books_of(folder):
            try:
                name.encode('utf-8')
            except UnicodeEncodeError:
                print(f'refresh-lists: {folder.name}/{name!r}: the name is not UTF-8; '
                      'rename the file to show it', file=sys.stderr)
                continue
            names.append(name)
        folders[folder.name] = names
    lists = {'mask': BOOK_MASK, 'folders': folders}
    (site / 'books.json').write_text(json.dumps(lists, ensure_ascii=False, indent=1) + '\n',
                                     encoding='utf-8')
    for name, names in folders.items():
        print(f'{name}: {len(names)} books')
    return folders


def write_program_disk(site):
    """The files the page puts into the program's file system before it
    starts: every file of the category folders, image/ and resources/ (the
    program lists the folders itself)."""
    folders, files = [], []
    for top in [f.name for f in sitetext.category_folders(site)] + ['image', 'resources']:
        if not (site / top).is_dir():
            continue
        for root, dirs, names in os.walk(site / top, followlinks=True):
            dirs[:] = sorted(d for d in dirs if not d.startswith('.'))
            folders.append(Path(root).relative_to(site).as_posix())
            files += [(Path(root) / n).relative_to(site).as_posix() for n in sorted(names)
                      if not n.startswith('.')]
    write_disk(site / 'disk.json', site, folders, files)


def find_checker():
    for candidate in (os.environ.get('PIYORAN_CHECK'), shutil.which('piyoran-check'),
                      PROJECT / 'build' / 'piyoran-check'):
        if candidate and Path(candidate).is_file() and os.access(candidate, os.X_OK):
            return str(candidate)
    return None


def check_books(site, folders):
    """Runs the book checker over the category folders; False on errors."""
    checker = find_checker()
    if not checker:
        print('refresh-lists: piyoran-check not found; the books are not checked '
              '(build it with ./build.sh test, or set PIYORAN_CHECK)')
        return True
    paths = [str(site / name) for name in folders]
    if not paths:
        return True
    result = subprocess.run([checker, *paths], capture_output=True, text=True)
    # The problems and the totals; a book without problems is one line
    # ("PATH: layout, N questions") that says nothing new here.
    for line in result.stdout.splitlines():
        if not BOOK_WITHOUT_REMARKS.match(line):
            print(line)
    if result.stderr:
        print(result.stderr, end='', file=sys.stderr)
    if result.returncode == 1:
        print('refresh-lists: the checker found errors in the books above', file=sys.stderr)
        return False
    if result.returncode != 0:
        print(f'refresh-lists: piyoran-check failed ({result.returncode})', file=sys.stderr)
        return False
    print('books checked: no errors')
    return True


def refresh_fonts(site):
    """Cuts the fonts again when the books show characters they lack."""
    fonts = site / 'fonts'
    try:
        from fontTools.ttLib import TTFont
    except ImportError:
        print('refresh-lists: python3-fonttools is missing; the fonts are not checked')
        return
    covered = set()
    for name in ('ipagp.woff2', 'ipag.woff2'):
        if (fonts / name).exists():
            with TTFont(fonts / name) as font:
                covered |= {chr(c) for c in font.getBestCmap()}
    wanted = sitetext.shown(sitetext.site_characters(site))
    missing = {c for c in wanted if c not in covered and not c.isspace()}
    if not missing:
        return
    cutter = Path(__file__).resolve().parent / 'subset-fonts.py'
    if subprocess.run([sys.executable, str(cutter), str(site)]).returncode != 0:
        print('refresh-lists: these characters will be drawn in the device\'s own font: '
              + ''.join(sorted(missing)), file=sys.stderr)


def site_files(site):
    """Every file of the site but the service worker, as paths from the site."""
    files = []
    for root, dirs, names in os.walk(site):
        dirs[:] = sorted(d for d in dirs if not d.startswith('.'))
        for name in sorted(names):
            path = Path(root, name)
            relative = path.relative_to(site).as_posix()
            if name.startswith('.') or relative == 'sw.js':
                continue
            files.append(relative)
    return sorted(files)


def write_worker_list(site):
    worker = site / 'sw.js'
    if not worker.exists():
        print('refresh-lists: no sw.js in the site; no offline list written', file=sys.stderr)
        return
    files = site_files(site)
    digest = hashlib.sha256()
    for relative in files:
        digest.update(relative.encode('utf-8', 'surrogateescape') + b'\0')
        digest.update(hashlib.sha256((site / relative).read_bytes()).digest())
    line = 'const SITE = ' + json.dumps({'version': digest.hexdigest()[:16], 'files': files},
                                        ensure_ascii=False) + ';'
    text = worker.read_text(encoding='utf-8')
    if not SITE_LINE.search(text):
        sys.exit('refresh-lists: sw.js has no "const SITE = ...;" line')
    worker.write_text(SITE_LINE.sub(lambda _: line, text, count=1), encoding='utf-8')
    print(f'offline copy: {len(files)} files, version {digest.hexdigest()[:16]}')


def main():
    if len(sys.argv) != 2 or sys.argv[1].startswith('-'):
        print(__doc__, file=sys.stderr)
        return 2
    site = Path(sys.argv[1])
    if not site.is_dir():
        print(f'refresh-lists: {site}: no such folder', file=sys.stderr)
        return 2
    folders = write_lists(site)
    write_program_disk(site)
    checked = check_books(site, folders)
    refresh_fonts(site)
    write_worker_list(site)
    return 0 if checked else 1


if __name__ == '__main__':
    sys.exit(main())
