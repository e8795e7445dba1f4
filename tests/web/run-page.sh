#!/usr/bin/env bash
# Serves a folder on a free loopback port and drives one of its pages in
# headless Chromium (tests/web/drive.mjs: wait, print, key, click, tap, shot);
# the server stops when the page is done.
#   tests/web/run-page.sh FOLDER PAGE WIDTHxHEIGHT[@SCALE] STEP...
# PAGE is a path in the folder, with any "#..." (index.html#boxes).
#   tests/web/run-page.sh build-web/site index.html 1366x768 \
#       'wait:document.title' 'print:document.documentElement.outerHTML'
set -euo pipefail
here=$(dirname "$0")

if [ $# -lt 3 ]; then
    sed -n '2,8p' "$0" >&2
    exit 2
fi
folder=$1
page=$2
shift 2
exec "$here/serve.sh" "$folder" node "$here/drive.mjs" "@SITE@$page" "$@"
