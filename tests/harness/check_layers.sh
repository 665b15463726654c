#!/usr/bin/env bash
# The layer check refuses an include that points up or across: each row adds one
# include to a copy of src/ and expects configure's check to refuse it (or, for the
# last row, a downward include, to accept it).
# Usage: check_layers.sh SOURCE_DIR
set -u
top=$(realpath "$1")
work=$(mktemp -d /tmp/qm-layers.XXXXXX)
trap 'rm -rf "$work"' EXIT
printf 'cmake_minimum_required(VERSION 3.20)\ninclude(%s/cmake/sources.cmake)\n' "$top" >"$work/check.cmake"

failed=0
row() { # expected (refused|accepted), file under src/, include
    rm -rf "$work/src" && cp -r "$top/src" "$work/src"
    echo "#include \"$3\"" >>"$work/src/$2"
    if (cd "$work" && cmake -P check.cmake >"$work/out" 2>&1); then got=accepted
    elif tr -s " \n" " " <"$work/out" | grep -q "may include only"; then got=refused
    else got="broken: $(cat "$work/out")"; fi
    if [ "$got" != "$1" ]; then
        echo "FAIL: $2 including $3 was $got, expected $1"; cat "$work/out"; failed=1
    fi
}
row refused support/utf.h search/search_url.h                      # up into search/
row refused search/search_url.h settings/settings_file.h           # up into settings/
row refused settings/ini_text.h hotkey/hotkey_text.h               # up into hotkey/
row refused tray/tray_icon.h search_panel/panel_window.h           # across a floor
row refused search_panel/panel_layout.h capture/copy_wait.h        # up into capture/
row refused hotkey/hotkey_text.h update/update_version.h           # up into update/
row refused capture/copy_wait.h auto_start/auto_start_command.h    # across a floor
row refused auto_start/auto_start.h single_instance/single_instance.h # up into single_instance/
row refused update/update_check.h settings_window/settings_window.h   # up into settings_window/
row refused platform/dpi.h support/utf.h                           # up from the bottom
row accepted settings_window/engine_dialog.h search/search_url.h   # down is fine
[ "$failed" -eq 0 ] && echo "layer check: every row as expected"
exit "$failed"
