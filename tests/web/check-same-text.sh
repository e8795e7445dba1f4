#!/usr/bin/env bash
# Decodes every line of every bundled book (data/00*/), and of the test
# books, with the desktop's build and with the browser's (the same code in
# WebAssembly, run by Node, with code page 932 as the browser edition
# converts it), and holds the two to the same text.
#   tests/web/check-same-text.sh WEB_BUILD DESKTOP_BUILD
set -uo pipefail
project=$(cd "$(dirname "$0")/../.." && pwd)
web=$1
desktop=$2

books=("$project"/data/00*/* "$desktop"/tests/app/00*/*)
room=$(mktemp -d)
trap 'rm -rf "$room"' EXIT
"$desktop/decode-books" "${books[@]}" >"$room/desktop.txt" 2>&1
# Node's own fetch would take the program's path for an address.
node --no-experimental-fetch "$web/decode-books.js" "${books[@]}" >"$room/web.txt" 2>&1
lines=$(grep -vc '^/' "$room/desktop.txt")
if cmp -s "$room/desktop.txt" "$room/web.txt" && [ "$lines" -gt 0 ]; then
    echo "PASS ${#books[@]} books, $lines lines: the same text in both builds"
else
    echo "FAIL the browser's build reads the books otherwise than the desktop's ($lines lines):"
    diff "$room/desktop.txt" "$room/web.txt" | head -20
    exit 1
fi
