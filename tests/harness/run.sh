#!/usr/bin/env bash
# Starts the program under Wine on the current display, or on a new Xvfb when there is none.
set -u
exe=$(realpath "$1")
export WINELOADER=/usr/lib/wine/wine64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
if [ -z "${DISPLAY:-}" ]; then
    fd_file=$(mktemp)
    exec 3>"$fd_file"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    exec 3>&-
    for _ in $(seq 100); do [ -s "$fd_file" ] && break; sleep 0.1; done
    export DISPLAY=":$(head -n1 "$fd_file")"
    rm -f "$fd_file"
    trap 'kill $xvfb_pid 2>/dev/null' EXIT
    echo "No display: started Xvfb on $DISPLAY (pid $xvfb_pid)"
fi
cd "$(dirname "$exe")"
# A fixed memory layout, as in with-wine.sh: a random heap can take the address Wine needs.
setarch "$(uname -m)" --addr-no-randomize "$WINELOADER" "$exe"
