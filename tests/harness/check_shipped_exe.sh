#!/usr/bin/env bash
# The shipped 32-bit exe: under budget, system DLLs only, manifest embedded.
set -u
exe=$1
fail=0
size=$(stat -c %s "$exe")
echo "size: $size bytes"
if [ "$size" -ge 307200 ]; then echo "FAIL: over 300 KB"; fail=1; fi
allowed='^(kernel32|user32|gdi32|shell32|advapi32|comctl32|wininet|msvcrt|ole32)\.dll$'
while read -r dll; do
    echo "imports: $dll"
    if ! echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$allowed"; then echo "FAIL: $dll is not a system DLL"; fail=1; fi
done < <(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p')
if ! i686-w64-mingw32-objdump -s -j .rsrc "$exe" | grep -q 'requestedExec'; then
    # the manifest text is split across dump lines: search the raw bytes instead
    if ! grep -aq 'requestedExecutionLevel' "$exe"; then echo "FAIL: no manifest"; fail=1; fi
fi
exit $fail
