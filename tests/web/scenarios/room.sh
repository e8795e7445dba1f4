#!/usr/bin/env bash
# Lays out, in ROOM, what the scenario runner built for the browser plays
# in: its page (play.html), the page runtime, the site's fonts, and the test
# books the desktop's scenarios use (laid out by the desktop build with
# mkbook into build/tests/app), listed in disk.json.
#   tests/web/scenarios/room.sh ROOM WEB_BUILD DESKTOP_BUILD
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
project=$(cd "$here/../../.." && pwd)
room=$1
web=$2
desktop=$3

cp "$project/web/page/runtime.js" "$project/web/page/style.css" "$room/"
cp -r "$web/site/fonts" "$room/"
cp "$web/piyoran-script.js" "$web/piyoran-script.wasm" "$room/"
cp "$here/"*.html "$here/"*.js "$room/"
cp -r "$desktop/tests/app" "$room/app"
# What the desktop has built in is a file of the site in the browser.
cp -r "$web/site/resources" "$room/app/"

# Every file and folder of the test books, hidden ones included: the program
# lists the folders itself, by the desktop's rules.
/usr/bin/python3 - "$room" "$project/tools/web" <<'PY'
import os, sys
room = sys.argv[1]
sys.path.insert(0, sys.argv[2])
from disk import write_disk
app = os.path.join(room, 'app')
folders, files = [], []
for root, dirs, names in os.walk(app):
    relative = os.path.relpath(root, app)
    if relative != '.':
        folders.append(relative)
    files += [os.path.normpath(os.path.join(relative, n)) for n in names]
write_disk(os.path.join(room, 'disk.json'), app, sorted(folders), sorted(files))
PY
