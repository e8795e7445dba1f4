#!/usr/bin/env bash
# Starts the real program under an X server that asks for 96 and then for
# 192 dots per inch (Xft.dpi, as desktops set it for a high-resolution
# screen), grabs what the server shows of the main window each time, and
# compares the two: the second must be the same window at twice the size.
# Exit 77 without xvfb-run, xdotool and xprop.
# Usage: hidpi-xvfb.sh PIYORAN PICTURE-TOOL [X,Y=RRGGBB]...
set -u
program=$1
tool=$2
shift 2

for needed in xvfb-run xdotool xprop; do
    command -v "$needed" >/dev/null || { echo "SKIPPED: $needed is needed for this test"; exit 77; }
done

out=$PWD/hidpi-xvfb
rm -rf "$out"
mkdir -p "$out"
cat > "$out/inner.sh" <<'INNER'
#!/usr/bin/env bash
# Runs inside the X server: one start of the program per resolution.
set -u
program=$1 tool=$2 out=$3
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_ENABLE_HIGHDPI_SCALING QT_USE_PHYSICAL_DPI QT_FONT_DPI
export QT_QPA_PLATFORM=xcb
for dpi in 96 192; do
    xprop -root -format RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi:	$dpi
"
    "$program" &
    pid=$!
    # A search that meets the splash being destroyed fails: ask again.
    window=
    for _ in $(seq 600); do
        window=$(xdotool search --onlyvisible --name "ver.1.1" 2>/dev/null | head -n 1)
        [ -n "$window" ] && break
        sleep 0.1
    done
    if [ -z "$window" ]; then
        echo "FAILED: no main window at $dpi dpi"
        kill "$pid" 2>/dev/null
        exit 1
    fi
    sleep 1 # until the window is drawn
    xdotool getwindowgeometry "$window" | sed "s/^/$dpi dpi: /"
    "$tool" grab "$window" "$out/main-$dpi.png" || { kill "$pid"; exit 1; }
    kill "$pid"
    wait "$pid" 2>/dev/null
done
exit 0
INNER
chmod +x "$out/inner.sh"
# -noreset: the resolution set on the root window stays between clients,
# and a client that comes just as another leaves is not refused.
xvfb-run -a -n $((100 + RANDOM % 800)) -s "-noreset -screen 0 2000x1200x24" "$out/inner.sh" "$program" "$tool" "$out" || exit 1
"$tool" compare 861x418 "$out/main-96.png" "$out/main-192.png" "$@"
