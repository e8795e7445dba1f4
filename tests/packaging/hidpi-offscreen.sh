#!/usr/bin/env bash
# Takes a picture of the main window with the scenario runner on Qt's
# offscreen platform, once at 96 and once at 192 dots per inch (the font
# resolution Qt scales by), and compares them: the second must show the
# same window at twice the size; and a picture of another screen (a category
# chosen) must not pass for it, which shows the comparison can fail. The
# pictures are kept in the test folder.
# Usage: hidpi-offscreen.sh PIYORAN-SCRIPT PICTURE-TOOL [X,Y=RRGGBB]...
set -u
runner=$1
tool=$2
shift 2

out=$PWD/hidpi-offscreen
rm -rf "$out"
mkdir -p "$out"
# Only the resolution under test decides the scale.
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_ENABLE_HIGHDPI_SCALING QT_USE_PHYSICAL_DPI
export QT_QPA_PLATFORM=offscreen
# snap NAME DPI [SCENARIO LINE]...: a picture after the lines.
snap() {
    local name=$1 dpi=$2
    shift 2
    printf '%s\n' "$@" "snapshot $out/$name.png" > "$out/$name.scn"
    QT_FONT_DPI=$dpi "$runner" "$out/$name.scn" || { echo "FAILED: the runner for $name"; exit 1; }
}
snap main-96 96
snap main-192 192
snap category-192 192 "click SpeedButton3"

"$tool" compare 861x418 "$out/main-96.png" "$out/main-192.png" "$@" || exit 1
echo "-- another screen must not match:"
"$tool" compare 861x418 "$out/main-96.png" "$out/category-192.png" "$@"
status=$?
[ "$status" -eq 1 ] || { echo "FAILED: the comparison took another screen for the main window (status $status)"; exit 1; }
echo "hidpi-offscreen: passed"
