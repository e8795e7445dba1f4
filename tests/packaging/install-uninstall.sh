#!/usr/bin/env bash
# Installs the build into a fresh prefix that already has a few shared,
# empty folders of its own, checks the layout, starts the installed program
# by its command on the PATH, uninstalls, and checks that exactly the
# prefix's own folders are left. Usage: install-uninstall.sh BUILD SOURCE
set -u
build=$1
source=$2

work=$(mktemp -d)
manifest=$build/install_manifest.txt
record=$build/install_created_folders.txt
# The build folder's own record of an install, put back at the end.
for file in "$manifest" "$record"; do
    [ -e "$file" ] && cp -p "$file" "$work/$(basename "$file").saved"
done
restore() {
    for file in "$manifest" "$record"; do
        rm -f "$file"
        [ -e "$work/$(basename "$file").saved" ] && mv "$work/$(basename "$file").saved" "$file"
    done
    rm -rf "$work"
}
trap restore EXIT
rm -f "$manifest" "$record"

failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

prefix=$work/prefix
# Shared folders that exist before the install, as on a real system.
mkdir -p "$prefix/bin" "$prefix/share/applications" "$prefix/share/icons/hicolor"
touch "$prefix/share/icons/hicolor/index.theme"
(cd "$prefix" && find . | sort) > "$work/before"

cmake --install "$build" --prefix "$prefix" > "$work/install.log" 2>&1 \
    || { cat "$work/install.log"; echo "FAILED: cmake --install"; exit 1; }

# ---- The layout
program_dir=$prefix/lib/piyoran
[ -f "$program_dir/piyoran" ] && [ -x "$program_dir/piyoran" ] || fail "no executable $program_dir/piyoran"
# 007 is left out: its button is never shown, so it holds no book.
for category in 001 002 003 004 005 006 008 009; do
    books=$(find "$program_dir/$category" -maxdepth 1 -type f 2>/dev/null | wc -l)
    [ "$books" -gt 0 ] || fail "category folder $category is missing or empty"
done
for picture in Sea1.jpg Sunset.jpg Water1.jpg violet.jpg; do
    cmp -s "$source/data/image/$picture" "$program_dir/image/$picture" || fail "image/$picture is not the bundled one"
done
# Every bundled book arrived: the checker counts the same books in both.
source_books=$("$build/piyoran-check" "$source/data" | tail -n 1)
installed_books=$("$prefix/bin/piyoran-check" "$program_dir" | tail -n 1)
[ "$installed_books" = "$source_books" ] \
    || fail "installed books: '$installed_books', bundled books: '$source_books'"
case "$installed_books" in
*" 0 errors"*) ;;
*) fail "the installed books do not check: $installed_books" ;;
esac

[ -L "$prefix/bin/piyoran" ] || fail "bin/piyoran is not a link"
[ "$(readlink "$prefix/bin/piyoran")" = "../lib/piyoran/piyoran" ] \
    || fail "bin/piyoran points to $(readlink "$prefix/bin/piyoran")"
[ "$(readlink -f "$prefix/bin/piyoran")" = "$(readlink -f "$program_dir/piyoran")" ] \
    || fail "bin/piyoran does not lead to the program"

id=io.github.piyoran.Piyoran
for file in share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
        share/icons/hicolor/32x32/apps/$id.png share/icons/hicolor/48x48/apps/$id.png \
        share/icons/hicolor/128x128/apps/$id.png share/icons/hicolor/256x256/apps/$id.png \
        share/man/man1/piyoran.1.gz share/man/man1/piyoran-check.1.gz share/man/man1/piyoran-book.1.gz \
        share/doc/piyoran/copyright; do
    [ -f "$prefix/$file" ] || fail "$file was not installed"
done
# What only the Debian package needs stays out of a plain install.
for file in share/doc/piyoran/changelog.Debian.gz share/lintian; do
    [ -e "$prefix/$file" ] && fail "$file was installed"
done
# Only the program, the book checker and the book maker are commands; the
# test tools stay in the build.
commands=$(cd "$prefix/bin" && ls | tr '\n' ' ')
[ "$commands" = "piyoran piyoran-book piyoran-check " ] || fail "commands installed: $commands"
strays=$(find "$prefix" -name 'piyoran-script*' -o -name 'mkbook*' -o -name '*_test')
[ -z "$strays" ] || fail "test tools installed: $strays"
# Nothing but bundled books and pictures among the data.
others=$(cd "$program_dir" && find . -type f ! -name piyoran ! -regex '\./[0-9][0-9][0-9]/[^/]*\.\(txt\|qt[1-9]\|ppm\)' ! -regex '\./image/[^/]*\.jpg')
[ -z "$others" ] || fail "unexpected files beside the program: $others"

# ---- The installed program, started by its command on the PATH
export QT_QPA_PLATFORM=offscreen
PATH="$prefix/bin:$PATH" piyoran > "$work/run.log" 2>&1 &
pid=$!
sleep 3
if kill -0 "$pid" 2>/dev/null; then
    [ "$(readlink "/proc/$pid/exe")" = "$(readlink -f "$program_dir/piyoran")" ] \
        || fail "the running program is $(readlink "/proc/$pid/exe"), not the installed one"
    kill "$pid"
    wait "$pid"
else
    wait "$pid"
    fail "the installed program ended by itself within 3 seconds, with status $?"
fi
if [ -s "$work/run.log" ]; then
    fail "the installed program printed:"
    cat "$work/run.log"
fi

# ---- Uninstall: the prefix as it was before
cmake -DMANIFEST="$manifest" -DCREATED="$record" -P "$source/packaging/uninstall.cmake" > "$work/uninstall.log" 2>&1 \
    || { cat "$work/uninstall.log"; fail "the uninstall failed"; }
(cd "$prefix" && find . | sort) > "$work/after"
if ! cmp -s "$work/before" "$work/after"; then
    fail "the uninstall left the prefix different from before the install:"
    diff "$work/before" "$work/after"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures failed"
    exit 1
fi
echo "install, start and uninstall: passed"
