#!/usr/bin/env bash
# The shipped 32-bit exe: under budget, 32-bit, system DLLs only (WinINet loaded
# by the update check, not at start), manifest embedded, no link time in its header.
set -u
exe=$1
fail=0
size=$(stat -c %s "$exe")
echo "size: $size bytes"
if [ "$size" -ge 307200 ]; then echo "FAIL: over 300 KB"; fail=1; fi
headers=$(i686-w64-mingw32-objdump -p "$exe")
if ! i686-w64-mingw32-objdump -f "$exe" | grep -q 'file format pei-i386'; then
    echo "FAIL: not a 32-bit x86 PE file"; fail=1
fi
if ! echo "$headers" | grep -Eq '^Time/Date\s+Thu Jan  1 00:00:00 1970$'; then
    echo "FAIL: a link time in the header: $(echo "$headers" | grep '^Time/Date')"; fail=1
fi
allowed='^(kernel32|user32|gdi32|shell32|advapi32|comctl32|wininet|msvcrt|ole32)\.dll$'
while read -r dll; do
    echo "imports: $dll"
    if ! echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$allowed"; then echo "FAIL: $dll is not a system DLL"; fail=1; fi
    # loaded at start, WinINet and COM would cost start-up time and memory for one check
    # per run and for the launches
    if echo "$dll" | grep -Eiq '^(wininet|ole32)\.dll$'; then echo "FAIL: $dll is loaded at start"; fail=1; fi
done < <(echo "$headers" | sed -n 's/^\s*DLL Name: //p')
# DLLs loaded by name are not in that table: every DLL name the exe carries must be a
# system DLL. The 32-bit runtime only asks whether libgcc's DLL is already loaded.
while read -r dll; do
    echo "names: $dll"
    if ! echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$allowed|^libgcc_s_dw2-1\.dll$"; then
        echo "FAIL: $dll is not a system DLL"; fail=1
    fi
done < <(grep -aoiE '[a-z0-9_.-]+\.dll' "$exe" | sort -u)
if ! i686-w64-mingw32-objdump -s -j .rsrc "$exe" | grep -q 'requestedExec'; then
    # the manifest text is split across dump lines: search the raw bytes instead
    if ! grep -aq 'requestedExecutionLevel' "$exe"; then echo "FAIL: no manifest"; fail=1; fi
fi
exit $fail
