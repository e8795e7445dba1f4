#!/usr/bin/env bash
# Installs the Debian package on a clean Debian 12 made with debootstrap
# (the minbase variant: only essential packages and apt), with the package's
# own dependencies and nothing recommended, then:
#   - starts the program on Qt's offscreen platform: it must keep running
#     and print nothing;
#   - checks the bundled books with the installed piyoran-check, and makes
#     one again from its sheet with the installed piyoran-book;
#   - adds an X server (Xvfb) and starts the program on it: its main window
#     must appear;
#   - purges the package: none of its files may be left.
# Slow (it downloads and unpacks a Debian system), so it is run by hand,
# as root, not by ctest:
#   packaging/build-deb.sh
#   sudo tests/packaging/deb-in-chroot.sh build-deb/piyoran_1.1-1_amd64.deb
# The mirror is the one the machine's own apt uses (MIRROR=URL to choose
# another). KEEP_CHROOT=1 keeps the chroot folder for a look afterwards.
set -u
deb=${1:-}
[ -f "$deb" ] || { echo "usage: $0 PACKAGE.deb" >&2; exit 2; }
deb=$(realpath "$deb")
[ "$(id -u)" -eq 0 ] || { echo "$0: must run as root (debootstrap, chroot)" >&2; exit 2; }
command -v debootstrap >/dev/null || { echo "$0: debootstrap is not installed" >&2; exit 2; }

# The Debian mirror of the host's apt sources (one-line or deb822 form).
host_mirror() {
    local file
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$file" ] || continue
        awk '$1 == "deb" && $3 == "bookworm" { for (i = 2; i <= NF; i++) if ($i ~ /^[a-z]+:\/\//) { print $i; exit } }' "$file"
    done
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] || continue
        awk 'BEGIN { RS = ""; FS = "\n" }
             /(^|\n)Suites:[^\n]*bookworm( |\n|$)/ {
                 for (i = 1; i <= NF; i++) if ($i ~ /^URIs:/) { split($i, f, " "); print f[2]; exit } }' "$file"
    done
}
mirror=${MIRROR:-$(host_mirror | head -n 1)}
mirror=${mirror:-http://deb.debian.org/debian}
security=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources 2>/dev/null \
    | grep -v '^[[:space:]]*#' | grep -oE 'https?://[^ ]*debian-security' | head -n 1)

root=$(mktemp -d /var/tmp/piyoran-chroot.XXXXXX)
cleanup() {
    mountpoint -q "$root/dev/pts" && umount "$root/dev/pts"
    mountpoint -q "$root/proc" && umount "$root/proc"
    if [ "${KEEP_CHROOT:-0}" = 1 ]; then
        echo "chroot kept in $root"
    else
        rm -rf --one-file-system "$root"
    fi
}
trap cleanup EXIT

failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive "$@"; }

echo "== debootstrap --variant=minbase bookworm $root $mirror"
debootstrap --variant=minbase bookworm "$root" "$mirror" > "$root.debootstrap.log" 2>&1 \
    || { tail -n 20 "$root.debootstrap.log"; rm -f "$root.debootstrap.log"; echo "FAILED: debootstrap"; exit 1; }
rm -f "$root.debootstrap.log"
{
    echo "deb $mirror bookworm main"
    echo "deb $mirror bookworm-updates main"
    [ -n "$security" ] && echo "deb $security bookworm-security main"
} > "$root/etc/apt/sources.list"
# A mirror that serves a dated snapshot needs what the host's apt is told.
if apt-config dump | grep -q '^Acquire::Check-Valid-Until "false"'; then
    echo 'Acquire::Check-Valid-Until "false";' > "$root/etc/apt/apt.conf.d/99snapshot"
fi
mount -t proc proc "$root/proc"
mkdir -p "$root/dev/pts"
mount -t devpts devpts "$root/dev/pts"
in_root apt-get update -q > /dev/null || { echo "FAILED: apt-get update in the chroot"; exit 1; }

echo "== apt-get install --no-install-recommends ./$(basename "$deb")"
cp "$deb" "$root/tmp/"
in_root apt-get install -y -q --no-install-recommends "/tmp/$(basename "$deb")" > "$root/tmp/install.log" 2>&1 \
    || { cat "$root/tmp/install.log"; echo "FAILED: the package does not install"; exit 1; }
grep -E '^[0-9]+ upgraded' "$root/tmp/install.log"
in_root dpkg-query -W -f='${Package} ${Version} ${Status}\n' piyoran
for package in libqt6widgets6 libjpeg62-turbo fonts-ipafont-gothic fonts-liberation; do
    in_root dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
        || fail "$package was not installed with the package"
done
[ "$(in_root sh -c 'command -v piyoran')" = /usr/bin/piyoran ] || fail "piyoran is not a command on the PATH"

echo "== the program on the offscreen platform"
mkdir -p "$root/tmp/runtime"
chmod 700 "$root/tmp/runtime"
in_root env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=/tmp/runtime timeout 3 piyoran > "$root/tmp/run.log" 2>&1
status=$?
[ "$status" -eq 124 ] || fail "the program ended by itself with status $status"
if [ -s "$root/tmp/run.log" ]; then
    fail "the program printed:"
    cat "$root/tmp/run.log"
else
    echo "kept running for 3 seconds and printed nothing"
fi

echo "== piyoran-check /usr/lib/piyoran"
summary=$(in_root piyoran-check /usr/lib/piyoran | tail -n 1)
echo "$summary"
case "$summary" in
*" 0 errors"*) ;;
*) fail "the installed books do not check" ;;
esac

echo "== piyoran-book: a bundled book to a sheet and back"
in_root sh -c 'cd /tmp && piyoran-book to-sheet /usr/lib/piyoran/001/01_be_verbs.txt be.csv \
    && piyoran-book from-sheet be.csv be.txt && cmp be.txt /usr/lib/piyoran/001/01_be_verbs.txt' \
    || fail "the installed piyoran-book does not make a bundled book again from its sheet"

echo "== the program under an X server"
in_root apt-get install -y -q --no-install-recommends xvfb xauth x11-utils > /dev/null \
    || fail "cannot install Xvfb in the chroot"
cat > "$root/tmp/window.sh" <<'EOF'
#!/bin/sh
QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=/tmp/runtime piyoran > /tmp/x.log 2>&1 &
pid=$!
for i in $(seq 50); do
    xwininfo -root -tree | grep -q 'ver\.1\.1' && break
    sleep 0.2
done
xwininfo -root -tree | grep 'ver\.1\.1' | head -n 1
kill $pid
EOF
chmod +x "$root/tmp/window.sh"
window=$(in_root xvfb-run -a -s "-noreset -screen 0 1024x768x24" /tmp/window.sh)
if [ -n "$window" ]; then
    echo "main window:$window"
else
    fail "no main window appeared under Xvfb"
    cat "$root/tmp/x.log"
fi
in_root dpkg-query -W -f='${Status}' qt6-qpa-plugins 2>/dev/null | grep -q 'install ok installed' \
    && echo "(qt6-qpa-plugins is installed)" || echo "(without qt6-qpa-plugins)"

echo "== apt-get purge piyoran"
files=$(in_root dpkg-query -L piyoran | grep -v '^/usr$\|^/usr/bin$\|^/usr/lib$\|^/usr/share$\|^/usr/share/doc$')
in_root apt-get purge -y -q piyoran > /dev/null || fail "the package does not purge"
left=$(for file in $files; do [ -e "$root$file" ] || [ -L "$root$file" ] && echo "$file"; done)
# Folders other packages share (icons, man pages, applications) may stay.
left=$(grep -v '^/usr/share/\(icons\|icons/hicolor\|icons/hicolor/[^/]*\|icons/hicolor/[^/]*/apps\|applications\|metainfo\|man\|man/man1\|lintian\|lintian/overrides\)$' <<<"$left")
[ -z "$left" ] || fail "left after the purge: $left"

if [ "$failures" -ne 0 ]; then
    echo "$failures failed"
    exit 1
fi
echo "deb-in-chroot: passed"
