#!/usr/bin/env bash
# Runs the Windows tests in Wine worlds at once (each its own prefix, Xvfb and
# wineserver, so hotkeys, focus and the clipboard never cross): the three longest
# suites in one (about as long as all the rest), the shipped 32-bit exe's smoke set
# under the emulated 32-bit Wine in a second (it talks to its prefix's wineserver, so
# it needs a world of its own), everything else in a third. The tests mostly wait on
# Wine, so this about halves the run on two cores.
# Usage: wine-tests.sh BUILD_DIR
set -u
build_dir=$1
here=$(dirname "$0")
longest='^(e2e\.test_settings_window|e2e\.test_update_check|bench\.soak)$'
smoke='^e2e32\.'
log=$(mktemp /tmp/qm-wine-tests.XXXXXX)
log32=$(mktemp /tmp/qm-wine32-tests.XXXXXX)

# The emulated Wine's private root is made or found in its cache first.
(root=$("$here/wine32-root.sh") &&
    QM_WINE32_ROOT=$root "$here/with-wine.sh" "$build_dir" ctest --test-dir "$build_dir" \
        --output-on-failure -R "$smoke") </dev/null >"$log32" 2>&1 &
smoke_pid=$!

"$here/with-wine.sh" "$build_dir" ctest --test-dir "$build_dir" --output-on-failure -R "$longest" \
    </dev/null >"$log" 2>&1 &
longest_pid=$!
"$here/with-wine.sh" "$build_dir" ctest --test-dir "$build_dir" --output-on-failure \
    -E "$longest|$smoke"
rest=$?
wait "$longest_pid"
longest_status=$?
wait "$smoke_pid"
smoke_status=$?
cat "$log" "$log32"
rm -f "$log" "$log32"
[ "$rest" -eq 0 ] && [ "$longest_status" -eq 0 ] && [ "$smoke_status" -eq 0 ]
