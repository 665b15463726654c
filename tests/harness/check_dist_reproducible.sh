#!/usr/bin/env bash
# Two `make dist` runs from the same commit give the same bytes: builds the
# packages again from scratch in a folder of its own and compares the sums with
# those of the first run.
# Usage: check_dist_reproducible.sh SOURCE_DIR DIST_DIR
set -u
source_dir=$1
dist_dir=$2
work=$(mktemp -d /tmp/qm-dist-again.XXXXXX)
trap 'rm -rf "$work"' EXIT
if ! make -C "$source_dir" dist WIN32_BUILD="$work/build" DIST="$work/dist" >"$work/make.log" 2>&1; then
    tail -n 30 "$work/make.log"
    echo "FAIL: the second make dist failed"
    exit 1
fi
cat "$dist_dir/SHA256SUMS"
if ! diff "$dist_dir/SHA256SUMS" "$work/dist/SHA256SUMS"; then
    echo "FAIL: the second make dist packed different bytes"
    exit 1
fi
