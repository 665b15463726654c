#!/usr/bin/env python3
"""Time from a real press of the first hotkey to the browser launch, for the program
and for a floor program that launches at once on the same hotkey, with notepad
holding selected text and with nothing selected; and how soon the program's panel
hides, at a press of the second hotkey with nothing selected and at a click on a
caption with "Search and then close" ticked; and, from the program's trace, the time
from the panel hotkey's message to the panel shown, at the first press (the panel's
first showing) and at later ones. Each start of the program has one first press, so
that one is taken at several further starts. Prints medians; not pass/fail.

Run: tests/harness/with-wine.sh build/win64 python3 tests/bench/hotkey_latency.py
         [presses [starts]]"""
import os
import re
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), '..', 'e2e'))
import qmwine  # noqa: E402

WEB_GOOGLE_CAPTION = (72, 56)  # "Google" in the panel's WEB row


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
            if exe == 'quenmark.exe' and url.endswith('a%20b') != selected:
                print('wrong search: %s' % url)
        time.sleep(0.5)  # the launch has ended before the next press
    return timings


def panel_hidden_after(prepare, action):
    """Shows the panel, calls prepare(), then times from action(panel) until the panel is
    hidden; None if it never is."""
    qmwine.xdotool('key', 'ctrl+alt+w')
    panel = qmwine.wait_window('^Form1$', 10)
    if panel is None:
        return None
    prepare()
    start = time.monotonic()
    action(panel)
    if not qmwine.wait_until(lambda: not qmwine.find_windows('^Form1$'), 10, 0.005):
        return None
    return (time.monotonic() - start) * 1000


def press_panel_hotkey(panel):
    qmwine.xdotool('key', 'ctrl+alt+w')


def measure_panel(notepad, presses):
    def click_caption(panel):
        x, y, _, _ = qmwine.window_geometry(panel)
        qmwine.xdotool('mousemove', '--sync', x + WEB_GOOGLE_CAPTION[0],
                       y + WEB_GOOGLE_CAPTION[1], 'click', 1)

    # One click only, the last: once a click has activated the panel, Wine without a
    # window manager keeps it on the screen for 2 s after every hide, waiting for a
    # manager to confirm it.
    timings = {'panel press': [], 'panel click': []}
    press = ('panel press', notepad.deselect, press_panel_hotkey)
    click = ('panel click', lambda: None, click_caption)
    for label, prepare, action in [press] * presses + [click]:
        notepad.select_all()
        qmwine.xdotool('mousemove', '--sync', 300, 300)
        hidden = panel_hidden_after(prepare, action)
        if hidden is None:
            print('%s: the panel did not show, or stayed' % label)
        else:
            timings[label].append(hidden)
        time.sleep(0.5)
    return timings


def first_panel_shows(notepad, starts):
    """The panel's first showing at each of that many starts of the program, the press
    coming before any other but after the start's own work, the panel's making last."""
    firsts = []
    for _ in range(starts):
        program = qmwine.Program('quenmark.exe', ini_text=qmwine.saved_ini(search_and_close=1))
        try:
            program.start(extra_env={'QM_STARTUP_TRACE': '1'})
            if program.wait_output(r'^trace \S+ panel created$', 20):
                notepad.click_into()
                notepad.select_all()
                qmwine.xdotool('mousemove', '--sync', 300, 300)
                panel_hidden_after(notepad.deselect, press_panel_hotkey)
                firsts += panel_show_times(program.output())[:1]
        finally:
            program.cleanup()
    return firsts


def panel_show_times(output):
    """ms from each panel hotkey message to the panel shown, from the trace, in order."""
    times, pressed = [], None
    for ms, mark in re.findall(r'^trace (\d+\.\d) (panel hotkey|panel shown)$', output, re.M):
        if mark == 'panel hotkey':
            pressed = float(ms)
        elif pressed is not None:
            times.append(float(ms) - pressed)
            pressed = None
    return times


def run(exe, ini_text, ready, notepad, presses):
    program = qmwine.Program(exe, ini_text=ini_text).start(extra_env={'QM_STARTUP_TRACE': '1'})
    try:
        if not ready(program):
            raise RuntimeError('%s did not start' % exe)
        # A click, as a user would: without a window manager, Wine takes moving only
        # the keyboard focus as no change of the active window.
        notepad.click_into()
        timings = {selected: measure(exe, program, notepad, selected, presses)
                   for selected in (True, False)}
        if exe == 'quenmark.exe':
            timings.update(measure_panel(notepad, presses))
            timings['panel shown'] = panel_show_times(program.output())
        return timings
    finally:
        program.cleanup()


def describe(timings):
    if not timings:
        return 'no launch'
    return 'median %4.0f ms (min %.0f, max %.0f, %d presses)' % (
        statistics.median(timings), min(timings), max(timings), len(timings))


def main():
    presses = int(sys.argv[1]) if len(sys.argv) > 1 else 7
    starts = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    server = qmwine.HttpServer()
    server.use_as_wine_proxy()
    notepad = qmwine.Notepad('a b', geometry=(760, 620, 500, 300))
    try:
        program = run('quenmark.exe', qmwine.saved_ini(search_and_close=1),
                      lambda p: qmwine.wait_window(qmwine.QUENMARK_TITLE_RE, 20), notepad,
                      presses)
        floor = run('instant_search.exe', None, lambda p: p.wait_output('^ready', 20), notepad,
                    presses)
        firsts = first_panel_shows(notepad, starts)
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
    print('panel hidden, at a press with nothing selected: %s' % describe(program['panel press']))
    print('panel hidden, at a click on a caption:          %s' % describe(program['panel click']))
    shown = program['panel shown']
    if shown:
        print('panel hotkey to panel shown (trace): first press %.1f ms, later presses %s'
              % (shown[0], describe(shown[1:])))
    if firsts and shown[1:]:
        print('first presses, one at each further start: %s; - later presses = %.1f ms'
              % (describe(firsts), statistics.median(firsts) - statistics.median(shown[1:])))


if __name__ == '__main__':
    main()
