#!/usr/bin/env bash
# Reads the Debian package made by deb-build.sh: its control fields, its
# dependencies and its files. Usage: deb-contents.sh DEBDIR ID "SIZES"
set -u
debs=("$1"/piyoran_*.deb)
deb=${debs[0]}
id=$2
sizes=$3
[ -f "$deb" ] || { echo "FAILED: no package in $1"; exit 1; }

failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
field() { dpkg-deb -f "$deb" "$1"; }

[ "$(field Package)" = piyoran ] || fail "Package: $(field Package)"
[ "$(field Version)" = 1.1-1 ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture: $(field Architecture)"
[ "$(field Section)" = education ] || fail "Section: $(field Section)"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Description)" ] || fail "no Description"
[ "$(basename "$deb")" = "piyoran_1.1-1_$(dpkg --print-architecture).deb" ] || fail "file name $(basename "$deb")"

# Depends, one package name a line, versions dropped.
depends=$(field Depends | tr ',' '\n' | sed -e 's/(.*)//' -e 's/[[:space:]]//g' | sort -u)
echo "Depends: $(field Depends)"
for package in libqt6widgets6 libqt6gui6 libqt6core6 libjpeg62-turbo libexpat1 libfontconfig1 fonts-ipafont-gothic fonts-liberation libc6 libstdc++6; do
    grep -qx "$package" <<<"$depends" || fail "Depends lacks $package"
done
# Nothing for building or testing.
for package in qt6-base-dev libjpeg62-turbo-dev libexpat1-dev libgtest-dev xvfb; do
    grep -qx "$package" <<<"$depends" && fail "Depends has $package"
done

listing=$(dpkg-deb -c "$deb")
paths=$(awk '{print $6}' <<<"$listing" | sed 's|^\./|/|; s|/$||')
has() { grep -qx "$1" <<<"$paths" || fail "the package lacks $1"; }
has /usr/lib/piyoran/piyoran
# 007 is left out: its button is never shown, so it holds no book.
for category in 001 002 003 004 005 006 008 009; do
    grep -q "^/usr/lib/piyoran/$category/." <<<"$paths" || fail "the package has no books in /usr/lib/piyoran/$category"
done
has /usr/lib/piyoran/image/violet.jpg
has /usr/bin/piyoran
has /usr/bin/piyoran-check
has /usr/bin/piyoran-book
has /usr/share/applications/$id.desktop
has /usr/share/metainfo/$id.metainfo.xml
for size in $sizes; do
    has /usr/share/icons/hicolor/${size}x${size}/apps/$id.png
done
has /usr/share/doc/piyoran/copyright
has /usr/share/doc/piyoran/changelog.Debian.gz
has /usr/share/lintian/overrides/piyoran
has /usr/share/man/man1/piyoran.1.gz
has /usr/share/man/man1/piyoran-book.1.gz
grep -q 'piyoran-script\|/usr/local\|_CPack' <<<"$paths" && fail "the package has files it should not: $(grep 'piyoran-script\|/usr/local\|_CPack' <<<"$paths")"
grep -q -- '-> \.\./lib/piyoran/piyoran$' <<<"$(grep ' \./usr/bin/piyoran ' <<<"$listing")" \
    || fail "/usr/bin/piyoran is not a link to ../lib/piyoran/piyoran"
owners=$(awk '{print $2}' <<<"$listing" | sort -u)
[ "$owners" = "root/root" ] || fail "files owned by $owners"

# The programs are stripped.
extract=$(mktemp -d)
trap 'rm -rf "$extract"' EXIT
dpkg-deb -x "$deb" "$extract"
for program in usr/lib/piyoran/piyoran usr/bin/piyoran-check usr/bin/piyoran-book; do
    readelf -S "$extract/$program" | grep -q '\.debug_info\|\.symtab' && fail "$program is not stripped"
done

if [ "$failures" -ne 0 ]; then
    echo "$failures failed"
    exit 1
fi
echo "$(basename "$deb"): contents as expected"
