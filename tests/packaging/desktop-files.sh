#!/usr/bin/env bash
# Runs the freedesktop.org validator on a desktop file or the AppStream
# validator on a metainfo file, and checks that the file names the program
# by ID throughout. Exit 77 when the validator is not installed.
#   desktop-files.sh desktop FILE.desktop ID
#   desktop-files.sh metainfo FILE.metainfo.xml ID
set -u
kind=$1
file=$2
id=$3

failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
# The value of KEY in the desktop file (the unlocalised one).
entry() { sed -n "s/^$1=//p" "$file"; }

case "$kind" in
desktop)
    command -v desktop-file-validate >/dev/null \
        || { echo "SKIPPED: desktop-file-validate (desktop-file-utils) is not installed"; exit 77; }
    output=$(desktop-file-validate "$file" 2>&1) || fail "desktop-file-validate"
    # Hints and warnings count too.
    [ -z "$output" ] || fail "desktop-file-validate said: $output"
    [ "$(basename "$file")" = "$id.desktop" ] || fail "the file is not named $id.desktop"
    [ "$(entry Icon)" = "$id" ] || fail "Icon=$(entry Icon), not $id"
    [ "$(entry Exec)" = "piyoran" ] || fail "Exec=$(entry Exec), not piyoran"
    [ "$(entry Terminal)" = "false" ] || fail "Terminal is not false"
    [ "$(entry 'Name\[ja\]')" = "ぴよらん ぽこぺ" ] || fail "Name[ja]=$(entry 'Name\[ja\]')"
    [ -n "$(entry Name)" ] || fail "no English Name"
    [ -n "$(entry Comment)" ] && [ -n "$(entry 'Comment\[ja\]')" ] || fail "a Comment is missing"
    case ";$(entry Categories)" in
    *";Education;"*) ;;
    *) fail "Categories=$(entry Categories) lacks Education" ;;
    esac
    ;;
metainfo)
    command -v appstreamcli >/dev/null \
        || { echo "SKIPPED: appstreamcli (appstream) is not installed"; exit 77; }
    appstreamcli validate --no-net --no-color "$file" || fail "appstreamcli validate"
    [ "$(basename "$file")" = "$id.metainfo.xml" ] || fail "the file is not named $id.metainfo.xml"
    grep -q "<id>$id</id>" "$file" || fail "the component id is not $id"
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$file" \
        || fail "the launchable is not $id.desktop"
    grep -q '<binary>piyoran</binary>' "$file" || fail "the piyoran command is not listed"
    ;;
*)
    echo "usage: $0 desktop|metainfo FILE ID" >&2
    exit 2
    ;;
esac

if [ "$failures" -ne 0 ]; then
    echo "$failures failed"
    exit 1
fi
echo "$(basename "$file"): valid"
