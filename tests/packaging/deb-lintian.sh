#!/usr/bin/env bash
# Runs lintian on the Debian package made by deb-build.sh: any error fails,
# warnings are shown. Exit 77 when lintian is not installed.
# Usage: deb-lintian.sh DEBDIR
set -u
debs=("$1"/piyoran_*.deb)
[ -f "${debs[0]}" ] || { echo "FAILED: no package in $1"; exit 1; }
command -v lintian >/dev/null || { echo "SKIPPED: lintian is not installed"; exit 77; }
# lintian refuses to run as root unless told.
lintian --allow-root --fail-on error --display-info "${debs[0]}"
status=$?
[ "$status" -eq 0 ] || { echo "FAILED: lintian found errors"; exit 1; }
echo "lintian: no errors"
