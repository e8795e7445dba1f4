#!/usr/bin/python3
"""Checks of the site's tools that need no browser:
  tests/web/check-lists.py SITE
- the book lists hold exactly the files the program's book list shows, in
  its order, for a folder made to trip each rule;
- the tool's mask is the program's;
- the service worker's list names every file of the site;
- a book added by a teacher is listed, checked, drawn and kept offline after
  one run of refresh-lists.py;
- the web fonts draw every character of every book and of the program."""

import json
import re
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

HERE = Path(__file__).resolve().parent
PROJECT = HERE.parent.parent
sys.path.insert(0, str(PROJECT / 'tools' / 'web'))
import sitetext  # noqa: E402
from fontTools.ttLib import TTFont  # noqa: E402

REFRESH = PROJECT / 'tools' / 'web' / 'refresh-lists.py'
failures = []


def check(ok, what):
    print(('PASS ' if ok else 'FAIL ') + what)
    if not ok:
        failures.append(what)


def refresh(site):
    return subprocess.run([sys.executable, str(REFRESH), str(site)], capture_output=True, text=True)


def worker_site(site):
    line = next(l for l in (site / 'sw.js').read_text(encoding='utf-8').splitlines()
                if l.startswith('const SITE = '))
    return json.loads(line[len('const SITE = '):-1])


def all_files(site):
    return sorted(p.relative_to(site).as_posix() for p in site.rglob('*')
                  if p.is_file() and p.name != 'sw.js')


def lists_follow_the_book_list_rules(room):
    site = room / 'rules'
    folder = site / '001'
    folder.mkdir(parents=True)
    shutil.copy(PROJECT / 'web' / 'page' / 'sw.js', site / 'sw.js')
    for name in ['b.txt', 'B.txt', 'a.TXT', 'c.Qt1', 'd.qt9', 'e.qt0', 'f.ppm', 'g.ppm.bak',
                 'h.txt~', '.hidden.txt', 'notes.doc', '[x].txt', 'x', 'Ü.txt', '日本語.txt']:
        (folder / name).write_bytes(b'')
    (folder / 'folder.txt').mkdir()
    (folder / 'link.txt').symlink_to('b.txt')
    (folder / 'dangling.txt').symlink_to('nowhere.txt')
    (site / '002').mkdir()
    (site / 'image').mkdir()  # not a category folder
    result = refresh(site)
    lists = json.loads((site / 'books.json').read_text(encoding='utf-8'))
    want = ['[x].txt', 'a.TXT', 'B.txt', 'b.txt', 'c.Qt1', 'd.qt9', 'f.ppm', 'link.txt',
            'Ü.txt', '日本語.txt']
    check(lists['folders'] == {'001': want, '002': []},
          'the list of a folder is its visible plain files that match the mask, in the list\'s order'
          + ('' if lists['folders'] == {'001': want, '002': []} else f' (got {lists["folders"]})'))
    # Empty files are not books: the checker, where it is built, says so.
    checker = subprocess.run([sys.executable, '-c', 'import sys; sys.path.insert(0, sys.argv[1]); '
                              'import importlib; print(importlib.import_module("refresh-lists").find_checker() or "")',
                              str(REFRESH.parent)], capture_output=True, text=True).stdout.strip()
    if checker:
        check(result.returncode == 1 and 'error' in result.stderr,
              'refresh-lists exits 1 when the checker finds errors in a book')
    else:
        print('SKIP the checker is not built (./build.sh web builds it)')


def mask_is_the_programs():
    texts = (PROJECT / 'app' / 'texts.h').read_text(encoding='utf-8')
    program = re.search(r'kBookMask = "([^"]*)"', texts).group(1)
    tool = re.search(r"BOOK_MASK = '([^']*)'", REFRESH.read_text(encoding='utf-8')).group(1)
    check(program == tool, 'the lists are made with the program\'s book mask')


def worker_keeps_every_file(site):
    kept = worker_site(site)
    check(kept['files'] == all_files(site), 'the service worker keeps every file of the site')
    check(all((site / f).is_file() for f in kept['files']), 'every file the service worker keeps exists')


def added_book_is_taken_in(room, site):
    copy = room / 'published'
    shutil.copytree(site, copy)
    before = worker_site(copy)['version']
    fonts_before = (copy / 'fonts' / 'ipagp.woff2').read_bytes()
    # A character no bundled book and no text of the program has.
    new_character = '鬱'
    book = (PROJECT / 'data' / '001' / '01_be_verbs.txt').read_bytes()
    (copy / '001' / '00_new.TXT').write_bytes(book + f'{new_character}\r\n'.encode('cp932'))
    result = refresh(copy)
    lists = json.loads((copy / 'books.json').read_text(encoding='utf-8'))
    kept = worker_site(copy)
    with TTFont(copy / 'fonts' / 'ipagp.woff2') as font:
        drawn = ord(new_character) in font.getBestCmap()
    check(result.returncode == 0, 'refresh-lists succeeds on a published site' + (result.stderr and ': ' + result.stderr))
    check(lists['folders']['001'][0] == '00_new.TXT', 'an added book is listed first in its folder')
    check(kept['version'] != before and '001/00_new.TXT' in kept['files'],
          'an added book is in a new version of the offline copy')
    check(drawn and (copy / 'fonts' / 'ipagp.woff2').read_bytes() != fonts_before,
          'the fonts are cut again to draw an added book\'s characters')
    with TTFont(copy / 'fonts' / 'ipagp.woff2') as font:
        cmap = font.getBestCmap()
    check(all(ord(c) in cmap for c in '正誤残終了確認'), 'fonts cut again keep the program\'s characters')


def fonts_draw_every_text(site):
    ipa = TTFont('/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf')
    drawable = set(ipa.getBestCmap())
    sources = [p for folder in ('app', 'book', 'drill', 'toolkit')
               for p in (PROJECT / folder).glob('*') if p.suffix in ('.cpp', '.h')]
    wanted = sitetext.shown(sitetext.site_characters(site) | sitetext.source_characters(sources))
    for name in ('ipagp.woff2', 'ipag.woff2'):
        with TTFont(site / 'fonts' / name) as font:
            cmap = font.getBestCmap()
        missing = sorted(c for c in wanted if ord(c) in drawable and ord(c) not in cmap)
        check(not missing, f'{name} draws every character of the books and the program'
              + (f' (missing {"".join(missing[:40])})' if missing else ''))


def main():
    site = Path(sys.argv[1])
    with tempfile.TemporaryDirectory() as name:
        room = Path(name)
        lists_follow_the_book_list_rules(room)
        mask_is_the_programs()
        worker_keeps_every_file(site)
        added_book_is_taken_in(room, site)
        fonts_draw_every_text(site)
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
