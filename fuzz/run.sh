#!/usr/bin/env bash
# Runs libFuzzer targets, two at a time, each for SECONDS from its seeds.
#   run.sh BUILD_DIR SOURCE_DIR SECONDS TARGET...
# New inputs gather in BUILD_DIR/fuzz-corpus/TARGET, findings (crash-*,
# timeout-*, oom-*) in BUILD_DIR/fuzz-findings/TARGET, the output in
# BUILD_DIR/fuzz-logs/TARGET.log. Exits 1 when any target found something.
set -euo pipefail
build=$1 source=$2 seconds=$3
shift 3

# Seeds: the test books and the bundled library for the book targets; the
# pictures for the JPEG target; book file names and long lines for the
# layout target. Inputs that once failed are kept in fuzz/regressions.
seeds() {
    case $1 in
    fuzz_book_lines | fuzz_open_book) echo "$source/tests/books $source/data" ;;
    fuzz_jpeg) echo "$source/data/image $source/app/resources" ;;
    fuzz_layout_counts)
        local names=$build/fuzz-seeds/names
        mkdir -p "$names"
        local i=0
        for file in "$source"/tests/books/*/* "$source"/data/*/*; do
            printf '%s' "$(basename "$file")" >"$names/name-$i"
            i=$((i + 1))
        done
        for name in unit1.txt UNIT1.TXT Unit1.Txt test.Qt5 test.qt10 test.txt2 test.ppm noext .qt9 'a\b.qt1'; do
            printf '%s' "$name" >"$names/name-$i"
            i=$((i + 1))
        done
        echo "$names $source/tests/books/002"
        ;;
    esac
    [ -d "$source/fuzz/regressions/$1" ] && echo "$source/fuzz/regressions/$1"
    return 0
}

# The book-opening target leaves its per-input leak check off: Qt's caches
# make nearly every input look like a possible leak, and checking each costs
# five runs in six. Its leaks are still checked when it ends.
options() {
    case $1 in
    fuzz_open_book) echo "-detect_leaks=0" ;;
    esac
    return 0
}

run_one() {
    local target=$1
    local corpus=$build/fuzz-corpus/$target findings=$build/fuzz-findings/$target
    mkdir -p "$corpus" "$findings" "$build/fuzz-logs"
    # shellcheck disable=SC2046
    if LSAN_OPTIONS=suppressions=$source/fuzz/lsan.supp:print_suppressions=0 "$build/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=3072 -max_len=65536 \
        -print_final_stats=1 $(options "$target") -artifact_prefix="$findings/" "$corpus" $(seeds "$target") \
        >"$build/fuzz-logs/$target.log" 2>&1; then
        echo "$target: no finding, $(grep -m1 -o 'number_of_executed_units: [0-9]*' "$build/fuzz-logs/$target.log" | cut -d' ' -f2) runs in ${seconds} s"
    else
        echo "$target: FINDING, see $build/fuzz-logs/$target.log and $findings"
        return 1
    fi
}

results=$build/fuzz-logs/results
mkdir -p "$results"
for target in "$@"; do
    rm -f "$results/$target"
    while [ "$(jobs -rp | wc -l)" -ge 2 ]; do
        wait -n || true
    done
    (run_one "$target" || touch "$results/$target") &
done
wait
for target in "$@"; do
    [ -e "$results/$target" ] && exit 1
done
exit 0
