#!/usr/bin/env python3
"""Time from a real press of the first hotkey to the browser launch, with notepad
holding the selected text, beside the floor the two 200 ms capture waits set.
Prints figures; it is not a pass/fail test.

Run: tests/harness/with-wine.sh build/win64 python3 tests/bench/hotkey_latency.py [presses]"""
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), '..', 'e2e'))
import qmwine  # noqa: E402


def main():
    presses = int(sys.argv[1]) if len(sys.argv) > 1 else 7
    server = qmwine.HttpServer()
    server.use_as_wine_proxy()
    program = qmwine.Program('quenmark.exe', ini_text=qmwine.saved_ini()).start()
    qmwine.wait_window(qmwine.QUENMARK_TITLE_RE, 20)
    notepad = qmwine.Notepad('a b', geometry=(760, 620, 500, 300))
    timings = []
    try:
        for i in range(1, presses + 1):
            notepad.select_all()
            start = time.monotonic()
            qmwine.xdotool('key', 'ctrl+alt+q')
            if not qmwine.wait_until(lambda: len(program.launched_urls()) >= i, 10, 0.005):
                print('press %d: no launch' % i)
                continue
            timings.append((time.monotonic() - start) * 1000)
            time.sleep(0.5)
    finally:
        notepad.close()
        program.cleanup()
        qmwine.HttpServer.clear_wine_proxy()
        server.close()
    print('capture waits (floor):      400 ms')
    if timings:
        print('key press to browser launch: median %.0f ms, min %.0f, max %.0f (%d presses)'
              % (statistics.median(timings), min(timings), max(timings), len(timings)))


if __name__ == '__main__':
    main()
