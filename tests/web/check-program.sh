#!/usr/bin/env bash
# Plays the real program in headless Chromium as a learner does: a
# category, a book (a test book of three questions added to the site), a
# wrong pick and right ones, the end of the pass and its replay offer
# answered はい, the replay, and the exit button answered はい. Once with the
# mouse and the keys on a Chromebook's screen, once with a finger on a
# tablet's. What is checked is what the page shows.
#   tests/web/check-program.sh SITE [DESKTOP_BUILD]   (build-web/site, build)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
project=$(cd "$here/../.." && pwd)
site=$1
desktop=${2:-$project/build}

room=$(mktemp -d)
trap 'rm -rf "$room"' EXIT
cp -r "$site" "$room/site"
cp "$desktop/tests/app/003/three_questions.txt" "$room/site/001/"
/usr/bin/python3 "$project/tools/web/refresh-lists.py" "$room/site" >/dev/null 2>&1
row=$(/usr/bin/python3 -c 'import json,sys; print(json.load(open(sys.argv[1]))["folders"]["001"].index("three_questions.txt") + 1)' \
    "$room/site/books.json")

. "$here/expect.sh"

text() { echo "document.querySelector('[data-name=\"$1\"]').textContent"; }
box='document.querySelector(".pr-box-text")?.textContent'
# Marks the choice slot whose text is (or is not) the right answer of the
# question on screen, for the next click: the test book's answers are the
# questions' words in lower case.
mark() {
    echo "print:(() => { const q = $(text Edit3).match(/One|Two|Three/)[0].toLowerCase();
      document.querySelectorAll('[data-pick]').forEach(e => e.removeAttribute('data-pick'));
      const slot = ['Memo4', 'Memo7', 'Memo8', 'Memo9', 'Memo10'].map(n => document.querySelector('[data-name=\"' + n + '\"]'))
        .find(e => (e.textContent === q) === ($1));
      slot.dataset.pick = 'yes'; return q; })()"
}
counters="print:[$(text seikai), $(text gotou), $(text Nokori)].map(t => t.replace(/\\s+/g, ' ')).join(' | ')"
settle='wait:new Promise(r => setTimeout(() => r(true), 300))'

# play SIZE PRESS YES OK QUIT: the whole road at a screen size, with the
# mouse (PRESS click, boxes answered with keys) or a finger (PRESS tap,
# boxes answered by tapping their buttons); YES answers the replay offer,
# OK the notes, QUIT the exit question.
play() {
    local size=$1 press=$2 yes=$3 ok=$4 quit=$5
    "$here/run-page.sh" "$room/site" index.html "$size" \
        "wait:document.querySelector('[data-name=\"SpeedButton3\"]') && !document.querySelector('[data-name=\"SplashWindow\"]:not(.pr-hidden)')" \
        "$press:[data-name=\"SpeedButton3\"]" 'wait:document.querySelectorAll(".pr-row").length' \
        "$press:.pr-row:nth-child($row)" "wait:/One|Two|Three/.test($(text Edit3))" "$counters" \
        "$(mark false)" "$press:[data-pick]" "$settle" "$counters" \
        "print:getComputedStyle(document.querySelector('[data-pick]')).color" \
        "$(mark true)" "$press:[data-pick]" "$settle" \
        "$(mark true)" "$press:[data-pick]" "$settle" \
        "$(mark true)" "$press:[data-pick]" "wait:$box" "print:$box" "$yes" \
        "wait:/One|Two|Three/.test($(text Edit3))" "$counters" \
        "$(mark true)" "$press:[data-pick]" "wait:$box" "print:$box" "$ok" "$settle" \
        "$press:[data-name=\"owari\"]" "wait:$box?.includes('終了しますか')" "print:$box" "$quit" \
        "wait:$box?.startsWith('「継続')" "$ok" \
        'wait:!document.getElementById("pr-ended").hidden' 'print:document.getElementById("pr-ended").querySelector("p").textContent' 2>&1
}

# check HOW: the learner's road as the page showed it.
check() {
    local how=$1
    mapfile -t lines <<<"$got"
    expect "$how: a book opens at its first question with the counters at zero" "正 0 | 誤 0 | 残 3" "${lines[0]}"
    expect "$how: a wrong pick counts a miss" "正 0 | 誤 1 | 残 3" "${lines[2]}"
    expect "$how: a wrong pick turns its text red" "rgb(255, 0, 0)" "${lines[3]}"
    expect "$how: the end of a pass with a miss offers the replay" "お疲れ様でした。全問終了しました｡

間違った問題だけを出題しますか ?" "${lines[7]}
${lines[8]}
${lines[9]}"
    expect "$how: はい starts the replay from zero" "正 0 | 誤 0 | 残 1" "${lines[10]}"
    expect "$how: the replay's last right pick ends the run" "お疲れさまでした。" "${lines[12]}"
    expect "$how: the exit button asks, はい answers, and the page says the program has ended" \
        "「ぴよらん」を終了しますか？
ぴよらん　ぽこぺ を終了しました。このタブを閉じてください。" "${lines[13]}
${lines[14]}"
}

# A Chromebook's screen, mouse and keys (Enter and Y answer the boxes).
got=$(play 1366x768 click key:Enter key:Enter key:y)
check "mouse and keys at 1366 x 768"
# A tablet's touch screen, no keys: taps on the boxes' buttons.
yes='tap:.pr-box-button[data-result="6"]'
got=$(play 1180x820 tap "$yes" 'tap:.pr-box-button' "$yes")
check "touch at 1180 x 820"
[ "$failures" -eq 0 ] || { echo "$got"; exit 1; }
