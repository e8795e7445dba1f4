#!/usr/bin/env bash
# Lays out piyoran's site from the built program and the project's files:
#   tools/web/make-site.sh BUILD_FOLDER SITE_FOLDER
# BUILD_FOLDER holds piyoran.js and piyoran.wasm (build-web/). The site is
# made anew: the page, the program, the category folders and pictures from
# data/, the program's built-in picture, icons, web fonts cut to the site's
# texts, the book lists and the service worker's list of files.
set -euo pipefail
cd "$(dirname "$0")/../.."

build=$1
site=$2
rm -rf "$site"
mkdir -p "$site/resources"

cp web/page/index.html web/page/boot.js web/page/runtime.js web/page/style.css \
    web/page/file.svg web/page/manifest.webmanifest web/page/sw.js "$site/"
cp "$build/piyoran.js" "$build/piyoran.wasm" "$site/"
for folder in data/[0-9][0-9][0-9] data/image; do
    cp -r "$folder" "$site/"
done
# Pictures the program has built in on the desktop are files of the site.
cp app/resources/builtin.jpg "$site/resources/"

/usr/bin/python3 tools/web/make-icons.py app/resources/logo.xpm "$site/icons"
# The splash window's logo, as the program asks for it (its XPM drawn as a
# PNG the browser reads).
cp "$site/icons/icon-48.png" "$site/resources/logo.png"

# Every character the program can show: its sources (their texts are in
# them) and the page's; the books are read from the site itself.
mapfile -t texts < <(git ls-files app book drill toolkit | grep -E '\.(cpp|h)$')
/usr/bin/python3 tools/web/subset-fonts.py "$site" "${texts[@]}" web/page/index.html web/page/runtime.js

/usr/bin/python3 tools/web/refresh-lists.py "$site"
