#!/usr/bin/env python3
"""A long run of the real program: the first hotkey against notepad, the second
hotkey with a click on a panel caption, and the tray menu opened and closed, in
turn, for a number of actions. Prints the program's resident memory, handle count
window count and GDI/USER object counts (which Wine does not give: they read 0)
at the start and every `every` actions, and checks that
every search reached the browser and the program is still running.

With --check it fails (exit code 1) on a missed launch, a crash, or a clear leak:
growth after the warm-up beyond what noise explains.

Run: tests/harness/with-wine.sh build/win64 python3 tests/bench/soak.py [actions] [--check]
     [--only=direct_search|panel_search|tray_menu]"""
import os
import re
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), '..', 'e2e'))
import qmwine  # noqa: E402
from qmwine import xdotool  # noqa: E402

EXE = 'quenmark.exe'
GOOGLE = 'https://www.google.com/search?q='
WEB_GOOGLE_CAPTION = (72, 56)
WARM_UP = 10
# More than this after the warm-up is a leak, not noise: every action kind runs at
# least a dozen times, so one handle or object per action shows clearly.
LIMITS = {'handles': 6, 'windows': 3, 'gdi': 10, 'user': 10, 'rss_kib': 8192}


def rss_kib(pid):
    with open('/proc/%d/status' % pid) as f:
        for line in f:
            if line.startswith('VmRSS:'):
                return int(line.split()[1])
    return -1


def figures(program):
    folder = tempfile.mkdtemp(prefix='qm-stats-')
    try:
        path = os.path.join(folder, 'stats.txt')
        qmwine.subprocess.run([qmwine.WINELOADER, os.path.join(qmwine.BUILD_DIR, 'procstats.exe'),
                               EXE, qmwine.windows_path(path)], stdin=qmwine.subprocess.DEVNULL,
                              stdout=qmwine.subprocess.DEVNULL, stderr=qmwine.subprocess.DEVNULL,
                              timeout=60)
        with open(path) as f:
            values = dict(re.findall(r'(\w+)=(-?\d+)', f.read()))
    except (OSError, qmwine.subprocess.TimeoutExpired):
        values = {}
    finally:
        shutil.rmtree(folder, ignore_errors=True)
    result = {name: int(values.get(name, -1)) for name in ('handles', 'windows', 'gdi', 'user')}
    result['rss_kib'] = rss_kib(program.process.pid)
    return result


class Soak:
    def __init__(self):
        self.program = qmwine.Program(EXE, ini_text=qmwine.saved_ini(search_and_close=1)).start()
        if qmwine.wait_window(qmwine.QUENMARK_TITLE_RE, 20) is None:
            raise RuntimeError('the settings window did not appear')
        self.notepad = qmwine.Notepad('a b', geometry=(760, 620, 500, 300))
        self.launches = 0
        self.missed = []

    def expect_launch(self, action, what):
        self.launches += 1
        urls = self.program.wait_launches(self.launches, 10)
        if not urls or urls[self.launches - 1] != GOOGLE + 'a%20b':
            self.missed.append('%d %s' % (action, what))
            self.launches = len(self.program.launched_urls())

    def select_in_notepad(self):
        # A real click: after the tray menu Wine still counts the program as foreground,
        # and the copy keystroke would go there. The pointer leaves first: a move to
        # where it already is waits in vain for it to move.
        qmwine.move_pointer_away()
        self.notepad.click_into()
        self.notepad.select_all()

    def direct_search(self, action):
        self.select_in_notepad()
        xdotool('key', 'ctrl+alt+q')
        self.expect_launch(action, 'direct search')

    def panel_search(self, action):
        self.select_in_notepad()
        xdotool('mousemove', '--sync', 300, 300)
        xdotool('key', 'ctrl+alt+w')
        panel = qmwine.wait_window('^Form1$', 10)
        if panel is None:
            self.missed.append('%d panel' % action)
            return
        xdotool('mousemove', '--sync', 300 + WEB_GOOGLE_CAPTION[0], 300 + WEB_GOOGLE_CAPTION[1],
                'click', 1)
        self.expect_launch(action, 'panel search')
        qmwine.wait_until(lambda: not qmwine.find_windows('^Form1$'), 10)

    def tray_menu(self, action):
        qmwine.move_pointer_away()
        qmwine.click_tray_icon(qmwine.wine_tray(), 3)
        menu = qmwine.wait_popup_menu(EXE)
        if menu is None:
            self.missed.append('%d tray menu' % action)
            return
        qmwine.focus(menu)
        xdotool('key', 'Escape')
        qmwine.wait_until(lambda: not qmwine.untitled_windows(EXE), 10)

    def run(self, actions, every, only=None):
        steps = [step for step in (self.direct_search, self.panel_search, self.tray_menu)
                 if only in (None, step.__name__)]
        samples = [(0, figures(self.program))]
        for action in range(1, actions + 1):
            steps[(action - 1) % len(steps)](action)
            if not self.program.running():
                break
            if action % every == 0 or action == WARM_UP:
                samples.append((action, figures(self.program)))
        return samples

    def close(self):
        self.notepad.close()
        self.program.cleanup()


def growth_after_warm_up(samples):
    base = next((values for action, values in samples if action == WARM_UP), None)
    if base is None:
        return {}
    last = samples[-1][1]
    return {name: last[name] - base[name] for name in LIMITS if base[name] >= 0}


def main():
    args = [a for a in sys.argv[1:] if not a.startswith('--')]
    check = '--check' in sys.argv
    # --only=direct_search, panel_search or tray_menu: one kind of action, to find
    # which one a growth comes with.
    only = next((a.split('=', 1)[1] for a in sys.argv[1:] if a.startswith('--only=')), None)
    actions = int(args[0]) if args else 500
    every = 100 if actions >= 200 else 10
    server = qmwine.HttpServer()
    server.use_as_wine_proxy()
    soak = Soak()
    try:
        samples = soak.run(actions, every, only)
        crashed = not soak.program.running()
    finally:
        soak.close()
        qmwine.HttpServer.clear_wine_proxy()
        server.close()

    print('%8s %10s %8s %8s %6s %6s' % ('actions', 'RSS KiB', 'handles', 'windows', 'GDI',
                                         'USER'))
    for action, v in samples:
        print('%8d %10d %8d %8d %6d %6d' % (action, v['rss_kib'], v['handles'], v['windows'],
                                            v['gdi'], v['user']))
    growth = growth_after_warm_up(samples)
    print('growth after %d actions of warm-up: %s' % (WARM_UP, growth))
    print('launches: %d, missed: %s, crashed: %s' % (soak.launches, soak.missed or 'none',
                                                     crashed))
    leaks = {name: grew for name, grew in growth.items() if grew > LIMITS[name]}
    if leaks:
        print('LEAK: %s (limits %s)' % (leaks, LIMITS))
    if check and (leaks or soak.missed or crashed):
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main())
