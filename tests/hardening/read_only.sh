#!/usr/bin/env bash
# The program changes no file: a whole run over a copy of the bundled
# library (every book worked through with its replay, every background, the
# exit) leaves every file and folder of it byte-identical, with the same size,
# permissions and modification time, and the program opens nothing for
# writing, anywhere, nor creates, renames, removes or touches anything.
#   read_only.sh PIYORAN_SCRIPT MKREPLAY DATA_DIR
set -euo pipefail
script=$1 mkreplay=$2 data=$3

work=$(mktemp -d "${TMPDIR:-/tmp}/piyoran-read-only-XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/app"
cp -R "$data/." "$work/app/"
# An old time on everything, so that a file written again would show it.
find "$work/app" -exec touch -h -d '2001-02-03 04:05:06' {} +

snapshot() {
    cd "$work/app"
    find . -printf '%y %p %s %m %T@\n' | LC_ALL=C sort
    find . -type f -print0 | LC_ALL=C sort -z | xargs -0 sha256sum
}
snapshot >"$work/before"

"$mkreplay" "$work/app" >"$work/replay.scn"

# Every system call that could write or change a file. (LeakSanitizer cannot
# run under a tracer; the sanitizer build's other tests check for leaks.)
changing=creat,truncate,ftruncate,rename,renameat,renameat2
changing+=,unlink,unlinkat,mkdir,mkdirat,rmdir,link,linkat,symlink,symlinkat,mknod,mknodat
changing+=,chmod,fchmod,fchmodat,chown,fchown,fchownat,lchown,utime,utimes,utimensat,futimesat
calls=open,openat,openat2,$changing
status=0
ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0 \
    strace -f -qq -o "$work/trace" -e trace="$calls" \
    "$script" --app-dir "$work/app" "$work/replay.scn" >"$work/transcript" 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
    echo "the run did not hold (exit $status):"
    tail -n 20 "$work/transcript"
    exit 1
fi
books=$(grep -c '^info: お疲れさまでした。' "$work/transcript" || true)
replays=$(grep -c '^confirm: .*間違った問題だけを出題しますか' "$work/transcript" || true)
echo "worked through $books books, $replays with a replay"

snapshot >"$work/after"
if ! diff -u "$work/before" "$work/after"; then
    echo "FAILED: the run changed the library"
    exit 1
fi

# Opens for writing, and every call that changes the file system. A call
# that failed changed nothing (Qt makes sure of its runtime folder with a
# mkdir that finds it there).
succeeded() { grep -vE '= -1 [A-Z]+ ' || true; }
writes=$({ grep -E 'open(at2?)?\(.*(O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|O_APPEND)' "$work/trace" || true; } | succeeded)
changes=$({ grep -E "^[0-9]+ +(${changing//,/|})\\(" "$work/trace" || true; } | succeeded)
opens=$(grep -cE 'open(at2?)?\(' "$work/trace" || true)
echo "$opens files opened"
if [ -n "$writes$changes" ]; then
    echo "FAILED: the program wrote or changed files:"
    printf '%s\n' "$writes" "$changes" | sed '/^$/d'
    exit 1
fi
[ "$books" -gt 0 ] && [ "$replays" -gt 0 ] || { echo "FAILED: no whole run"; exit 1; }
echo "nothing written"
