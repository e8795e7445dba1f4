#!/usr/bin/env bash
# Reads the real program as a screen reader does (AT-SPI), under a real X
# server with a window manager and a session bus of its own, and presses a
# choice the way a screen reader does. Usage: screen-reader.sh PIYORAN
set -u
program=$1
here=$(dirname "$0")

# Debian's own interpreter: pyatspi is a Debian package.
for tool in dbus-run-session /usr/bin/python3; do
    command -v "$tool" >/dev/null || { echo "FAILED: $tool is missing (./build.sh test installs it)"; exit 1; }
done
/usr/bin/python3 -c "import pyatspi" 2>/dev/null \
    || { echo "FAILED: python3-pyatspi is missing (./build.sh test installs it)"; exit 1; }

exec "$here/with-openbox.sh" 1024x768 \
    dbus-run-session -- /usr/bin/python3 "$here/screen-reader.py" "$program"
