#!/usr/bin/env bash
# Checks the page runtime in headless Chromium with the program itself, in
# a copy of the site: it starts and its splash window closes on its timer;
# a category's book list is the site's list; the exit box's keys and
# buttons answer as on the desktop; a broken picture is refused with the
# desktop's words and leaves the picture as it was; and the service worker
# keeps the site. (Touch is played through by check-program.sh.)
#   tests/web/check-page.sh SITE
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
project=$(cd "$here/../.." && pwd)
site=$1

room=$(mktemp -d)
trap 'rm -rf "$room"' EXIT
cp -r "$site" "$room/site"
# A picture cut off half way, in the place of the one the Sea button shows.
head -c 20000 "$site/image/Sea1.jpg" > "$room/site/image/Sea1.jpg"
/usr/bin/python3 "$project/tools/web/refresh-lists.py" "$room/site" >/dev/null 2>&1

. "$here/expect.sh"
page() {
    "$here/run-page.sh" "$room/site" "$@" 2>&1
}
named() { echo "document.querySelector('[data-name=\"$1\"]')"; }
# The main window is up and the splash window is gone.
ready="$(named Orvelform) && !$(named Orvelform).classList.contains('pr-hidden') && !document.querySelector('[data-role=\"splash\"]:not(.pr-hidden)')"
box_text='document.querySelector(".pr-box-text")?.textContent'
no_box='document.getElementById("pr-boxes").hidden'
rows='[...document.querySelectorAll(".pr-row")].map(r => r.textContent).join("|")'

got=$(page index.html 1366x768 "wait:$ready" 'print:document.title')
expect "the program starts and its splash window closes on its timer" "ぴよらん　ぽこぺ　ver.1.1" "$got"

want=$(/usr/bin/python3 -c 'import json,sys; print("|".join(json.load(open(sys.argv[1]))["folders"]["004"]))' "$site/books.json")
got=$(page index.html 1366x768 "wait:$ready" "click:[data-name=\"SpeedButton6\"]" \
    'wait:document.querySelectorAll(".pr-row").length' "print:$rows")
expect "a category button shows its folder's books" "$want" "$got"

# The exit box offers はい, いいえ and キャンセル: Escape, N and a click on
# キャンセル keep the program running; Enter is はい.
got=$(page index.html 1366x768 "wait:$ready" \
    'click:[data-name="owari"]' "wait:$box_text?.includes('終了しますか')" 'key:Escape' "wait:$no_box" \
    'click:[data-name="owari"]' "wait:$box_text?.includes('終了しますか')" 'key:n' "wait:$no_box" \
    'click:[data-name="owari"]' "wait:$box_text?.includes('終了しますか')" \
    'click:.pr-box-button[data-result="2"]' "wait:$no_box" \
    'wait:new Promise(r => setTimeout(() => r(true), 300))' \
    "print:$no_box && document.getElementById('pr-ended').hidden ? 'still running' : 'ended'" \
    'click:[data-name="owari"]' "wait:$box_text?.includes('終了しますか')" 'key:Enter' \
    "wait:$box_text?.startsWith('「継続')" 'key:Enter' 'wait:!document.getElementById("pr-ended").hidden' \
    'print:"ended"')
expect "the exit box: Escape, N and キャンセル go back to the program, Enter ends it" "still running
ended" "$got"

# The picture after a broken one is refused must be the one shown before:
# their pixels are compared, and a good picture must change them. (The
# splash window has a picture of the same name.)
pixels="(() => { const c = document.querySelector('[data-name=\"Orvelform\"] [data-name=\"Image1\"]'); const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
  let h = 0; for (let i = 0; i < d.length; i += 3) h = (h * 31 + d[i]) | 0; return c.width + 'x' + c.height + ' ' + h; })()"
got=$(page index.html 1366x768 "wait:$ready" "print:$pixels" \
    'click:[data-name="SpeedButton12"]' "wait:$box_text" "print:$box_text" 'key:Enter' "wait:$no_box" "print:$pixels" \
    'click:[data-name="SpeedButton13"]' 'wait:new Promise(r => setTimeout(() => r(true), 500))' "print:$pixels")
mapfile -t lines <<<"$got"
expect "a broken picture is refused with the desktop's words" \
    "JPEG 画像を読み込めません (Premature end of JPEG file)" "${lines[1]:-}"
expect "the refused picture leaves the one shown before" "${lines[0]:-}" "${lines[2]:-none}"
[ "${lines[3]:-}" != "${lines[0]:-}" ] && [ -n "${lines[3]:-}" ]
expect "a good picture after it is shown" "changed" "$([ $? -eq 0 ] && echo changed || echo "the same: $got")"

# Offline: the service worker installs and keeps every file of its list and
# the site's folder; the page asked nothing of any other host.
listed=$(/usr/bin/python3 -c 'import json,sys
line = next(l for l in open(sys.argv[1], encoding="utf-8") if l.startswith("const SITE = "))
print(len(json.loads(line[13:-2])["files"]) + 1)' "$room/site/sw.js")
got=$(page index.html 1366x768 "wait:$ready" 'wait:navigator.serviceWorker.ready.then(r => r.active.state === "activated")' \
    'print:caches.keys().then(async k => (await (await caches.open(k[0])).keys()).length)' \
    'print:[...new Set(performance.getEntriesByType("resource").map(e => new URL(e.name).origin))].length')
expect "the service worker keeps the whole site; one host only" "$listed
1" "$got"

[ "$failures" -eq 0 ]
