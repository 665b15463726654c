#!/usr/bin/env python3
"""Time from a real press of the first hotkey to the browser launch, for the program
and for a floor program that launches at once on the same hotkey, with notepad
holding selected text and with nothing selected. Prints medians; not pass/fail.

Run: tests/harness/with-wine.sh build/win64 python3 tests/bench/hotkey_latency.py [presses]"""
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), '..', 'e2e'))
import qmwine  # noqa: E402


def measure(exe, program, notepad, selected, presses):
    timings = []
    for _ in range(presses):
        if selected:
            notepad.select_all()
        else:
            notepad.deselect()
        count = len(program.launched_urls()) + 1
        start = time.monotonic()
        qmwine.xdotool('key', 'ctrl+alt+q')
        if qmwine.wait_until(lambda: len(program.launched_urls()) >= count, 10, 0.005):
            timings.append((time.monotonic() - start) * 1000)
            url = program.launched_urls()[count - 1]
            if exe == 'quenmark.exe' and url.endswith('a b') != selected:
                print('wrong search: %s' % url)
        time.sleep(0.5)  # the launch has ended before the next press
    return timings


def run(exe, ini_text, ready, notepad, presses):
    program = qmwine.Program(exe, ini_text=ini_text).start()
    try:
        if not ready(program):
            raise RuntimeError('%s did not start' % exe)
        # A click, as a user would: without a window manager, Wine takes moving only
        # the keyboard focus as no change of the active window.
        notepad.click_into()
        return {selected: measure(exe, program, notepad, selected, presses)
                for selected in (True, False)}
    finally:
        program.cleanup()


def describe(timings):
    if not timings:
        return 'no launch'
    return 'median %4.0f ms (min %.0f, max %.0f, %d presses)' % (
        statistics.median(timings), min(timings), max(timings), len(timings))


def main():
    presses = int(sys.argv[1]) if len(sys.argv) > 1 else 7
    server = qmwine.HttpServer()
    server.use_as_wine_proxy()
    notepad = qmwine.Notepad('a b', geometry=(760, 620, 500, 300))
    try:
        program = run('quenmark.exe', qmwine.saved_ini(), lambda p: qmwine.wait_window(
            qmwine.QUENMARK_TITLE_RE, 20), notepad, presses)
        floor = run('instant_search.exe', None, lambda p: p.wait_output('^ready', 20), notepad,
                    presses)
    finally:
        notepad.close()
        qmwine.HttpServer.clear_wine_proxy()
        server.close()
    for selected, label in ((True, 'text selected'), (False, 'nothing selected')):
        print('%-17s program %s' % (label + ':', describe(program[selected])))
        print('%-17s floor   %s' % ('', describe(floor[selected])))
        if program[selected] and floor[selected]:
            print('%-17s program - floor = %.0f ms' % (
                '', statistics.median(program[selected]) - statistics.median(floor[selected])))


if __name__ == '__main__':
    main()
