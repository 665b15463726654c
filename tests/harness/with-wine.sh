#!/usr/bin/env bash
# Runs a command inside a throwaway Wine world: a fresh 64-bit prefix, an Xvfb
# display of its own, the recording browser registered as the http handler.
# Usage: with-wine.sh BUILD_DIR COMMAND...   (BUILD_DIR holds recorder.exe)
# Only what this script starts is stopped at the end, by pid.
set -uo pipefail

# Debian's 64-bit Wine has no preloader to hold 0x7ffe0000, where every Windows
# process maps its shared user data, before the C heap is placed. With address
# randomization that heap starts anywhere in the gigabyte above the loader
# (0x7d000000), now and then over that address, and the process dies at its start
# ("failed to map the shared user data: c0000018"). Without it the heap starts
# right after the loader, far below. Children keep the setting.
if (((0x$(</proc/self/personality) & 0x0040000) == 0)); then
    exec setarch "$(uname -m)" --addr-no-randomize "$0" "$@"
fi
build_dir=$(realpath "$1"); shift

export WINELOADER=/usr/lib/wine/wine64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY no_proxy NO_PROXY
export WINEPREFIX=$(mktemp -d /tmp/qm-wine.XXXXXX)
work=$(mktemp -d /tmp/qm-harness.XXXXXX)

xvfb_pid=
cleanup() {
    WINEPREFIX=$WINEPREFIX wineserver -k >/dev/null 2>&1 </dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$WINEPREFIX" "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Xvfb picks a free display and tells us its number on fd 3.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"

# Wine's services inherit stdout: keep them off the caller's pipes.
wineserver -p </dev/null >/dev/null 2>&1
"$WINELOADER" wineboot -i </dev/null >"$work/wineboot.log" 2>&1

# Wine closes the desktop (explorer, the tray) a second after its last program ends,
# and the next program then waits for a new one or lands on the closing one; the
# keeper holds it open until the end (see desktop_keeper.cpp).
"$WINELOADER" "$build_dir/desktop_keeper.exe" </dev/null >"$work/keeper.log" 2>&1 &
keeper_pid=$!
until grep -q '^ready' "$work/keeper.log"; do
    if ! kill -0 "$keeper_pid" 2>/dev/null; then
        echo "with-wine.sh: the Wine desktop did not come up: $(cat "$work/keeper.log")" >&2
        exit 1
    fi
    sleep 0.1
done

cp "$build_dir/recorder.exe" "$WINEPREFIX/drive_c/recorder.exe"
cat >"$work/setup.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CLASSES_ROOT\http\shell\open\command]
@="\"C:\\recorder.exe\" %1"

[HKEY_CLASSES_ROOT\https\shell\open\command]
@="\"C:\\recorder.exe\" %1"
REG
"$WINELOADER" regedit /S "$(winepath -w "$work/setup.reg" 2>/dev/null || echo "Z:$work/setup.reg")" \
    </dev/null >/dev/null 2>&1

export QM_BUILD_DIR=$build_dir
"$@"
