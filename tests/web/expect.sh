# Sourced by the web tests: expect WHAT WANTED GOT prints PASS or FAIL for
# one check (the lines build.sh counts) and counts the failures.
failures=0
expect() {
    if [ "$2" == "$3" ]; then
        echo "PASS $1"
    else
        echo "FAIL $1: wanted [$2], got [$3]"
        failures=$((failures + 1))
    fi
}
