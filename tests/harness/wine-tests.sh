#!/usr/bin/env bash
# Runs the Windows tests in two Wine worlds at once (each its own prefix, Xvfb and
# wineserver, so hotkeys, focus and the clipboard never cross): the two longest
# suites in one, everything else in the other. The tests mostly wait on Wine, so
# this halves the run on two cores.
# Usage: wine-tests.sh BUILD_DIR
set -u
build_dir=$1
here=$(dirname "$0")
longest='^(e2e\.test_settings_window|bench\.soak)$'
log=$(mktemp /tmp/qm-wine-tests.XXXXXX)

"$here/with-wine.sh" "$build_dir" ctest --test-dir "$build_dir" --output-on-failure -R "$longest" \
    </dev/null >"$log" 2>&1 &
longest_pid=$!
"$here/with-wine.sh" "$build_dir" ctest --test-dir "$build_dir" --output-on-failure -E "$longest"
rest=$?
wait "$longest_pid"
longest_status=$?
cat "$log"
rm -f "$log"
[ "$rest" -eq 0 ] && [ "$longest_status" -eq 0 ]
