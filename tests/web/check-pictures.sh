#!/usr/bin/env bash
# Holds the browser's windows to the desktop's: the start window (the main
# window after start-up, no book), a question (a book opened with a fixed
# seed, so the same question and choices) and the window after some picks
# are played by the scenario runner
# of each build and photographed, the desktop's by its "snapshot" command,
# the browser's by headless Chromium at the window's own size, and
# compare-pictures.py compares each pair.
#   tests/web/check-pictures.sh WEB_BUILD DESKTOP_BUILD
# KEEP_ROOM=1 keeps the pictures (and the differences) to look at.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
web=$1
desktop=$(cd "$2" && pwd)

room=$(mktemp -d)
trap '[ -n "${KEEP_ROOM:-}" ] && echo "pictures kept in $room" || rm -rf "$room"' EXIT
"$here/scenarios/room.sh" "$room" "$web" "$desktop" || exit 1
mkdir "$room/scenarios"
# The pictures' paths are whole: opening a book changes the program's folder.
cat > "$room/scenarios/start.scn" <<SCN
# The window as the learner first sees it.
snapshot $room/start.png
SCN
cat > "$room/scenarios/question.scn" <<SCN
# A category, a book of ten questions, its first question.
seed 7
click SpeedButton3
choose one_step_ten.txt
snapshot $room/question.png
SCN
cat > "$room/scenarios/answered.scn" <<SCN
# Some questions answered: the log of answers holds more lines than it
# shows, the markers and counters have moved, the last pick was wrong.
seed 7
click SpeedButton3
choose one_step_ten.txt
pick right
pick right
pick right
pick right
pick right
pick wrong
snapshot $room/answered.png
SCN

failures=0
for name in start question answered; do
    # The desktop's picture.
    # Both play the room's copy of the test books, which nothing else reads.
    if ! (QT_QPA_PLATFORM=offscreen "$desktop/piyoran-script" --app-dir "$room/app" \
              "$room/scenarios/$name.scn" >"$room/desktop-$name.log" 2>&1 \
          && mv "$room/$name.png" "$room/desktop-$name.png"); then
        echo "FAIL the desktop's $name window: $(cat "$room/desktop-$name.log")"
        failures=$((failures + 1))
        continue
    fi
    # The browser's, with the viewport the window's own size (scale 1).
    played=$("$here/run-page.sh" "$room" "play.html#$name" 861x418 \
        "wait:window.pictureWanted === '$room/$name.png'" "shot:$room/web-$name.png" \
        'print:(window.pictureTaken(), "taken")' \
        'wait:window.played' 'print:window.played.status + " " + window.played.output' 2>&1)
    if [ "$(tail -n1 <<<"$played" | cut -d' ' -f1)" != 0 ]; then
        echo "FAIL the browser's $name window: $played"
        failures=$((failures + 1))
        continue
    fi
    /usr/bin/python3 "$here/compare-pictures.py" "$name" "$room/desktop-$name.png" "$room/web-$name.png" \
        "$room/difference-$name.png" || failures=$((failures + 1))
done
[ "$failures" -eq 0 ]
