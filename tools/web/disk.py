"""The files the page puts into the program's file system before main()
runs (web/page/disk.js): a list, LIST.json, of the folders to make and the
files with their sizes, and the files' bytes one after another in LIST.bin
beside it. One file to fetch, not one per book: through a service worker
each fetch costs a few milliseconds, and a site has hundreds of books."""

import json
from pathlib import Path


def write_disk(listed, root, folders, files):
    """Writes the list LISTED (a .json path) and its pack. FOLDERS and FILES
    are paths relative to ROOT, as the program will find them."""
    listed = Path(listed)
    pack = listed.with_suffix('.bin')
    sizes = []
    with open(pack, 'wb') as out:
        for relative in files:
            data = (Path(root) / relative).read_bytes()
            out.write(data)
            sizes.append(len(data))
    disk = {'folders': list(folders), 'files': list(files), 'sizes': sizes, 'pack': pack.name}
    listed.write_text(json.dumps(disk, ensure_ascii=False, indent=1) + '\n', encoding='utf-8')
