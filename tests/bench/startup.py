#!/usr/bin/env python3
"""Start-up time, idle CPU and memory of quenmark.exe side by side with a bare
Win32 window, all under the same Wine and Xvfb in the same run, plus the
shipped exe's size. Prints figures; it is not a pass/fail test.
Beside the totals, the median of each phase of quenmark.exe's own start, from its trace
(QM_STARTUP_TRACE), in ms since Windows created the process; the totals count from the launch.

A second baseline, the floor window, is the bare window plus what no settings
window of this kind can do without: the manifest's themed common controls (one
check box loads them) and an icon in the notification area (shell32). A third, the
controls window, adds the settings window's controls and paints them as soon as it shows,
as the settings window does: what quenmark.exe takes beyond it is the program's own.
A start ends when the X server maps the window, which Wine asks for as ShowWindow
begins: the painting that follows is not counted, for any of them.
Beside each ratio, the range that 90% of resampled runs give: how far the machine's
noise leaves the ratio uncertain.

Run: tests/harness/with-wine.sh build/win64 python3 tests/bench/startup.py [runs [earlier.exe]]
An earlier build's quenmark.exe, if given, is measured in the same turns. With QM_WINE32=1
(and QM_SHIPPED_EXE), so is the shipped 32-bit exe under the emulated 32-bit Wine; its
CPU and memory are qemu's, the emulator's own share included."""
import contextlib
import ctypes
import os
import random
import re
import statistics
import subprocess
import sys
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), '..', 'e2e'))
import qmwine  # noqa: E402

INI = ('[hotkey]\r\nHotKey1Text=Ctrl + Alt + Q\r\nHotKey1KeyCode=81\r\nHotKey1ModKeyCode=3\r\n'
       'HotKey2Text=Ctrl + Alt + W\r\nHotKey2KeyCode=87\r\nHotKey2ModKeyCode=3\r\n'
       '[check]\r\nchecka=1\r\ncheckb=1\r\ncheckc=1\r\n[auto]\r\nchecka=0\r\n')


def cpu_seconds(pid):
    with open('/proc/%d/stat' % pid) as f:
        fields = f.read().rsplit(')', 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf('SC_CLK_TCK')


def rss_kib(pid):
    with open('/proc/%d/status' % pid) as f:
        for line in f:
            if line.startswith('VmRSS:'):
                return int(line.split()[1])
    return 0


class XMapEvent(ctypes.Structure):
    _fields_ = [('type', ctypes.c_int), ('serial', ctypes.c_ulong),
                ('send_event', ctypes.c_int), ('display', ctypes.c_void_p),
                ('event', ctypes.c_ulong), ('window', ctypes.c_ulong),
                ('override_redirect', ctypes.c_int)]


class XEvent(ctypes.Union):
    _fields_ = [('map', XMapEvent), ('pad', ctypes.c_long * 24)]


class MapWatcher:
    """Notes when each top-level window is mapped, from the X server's own events.
    Nothing is polled, so the watching takes no processor time from the program
    being measured (starting xdotool every few milliseconds did, unevenly)."""
    MAP_NOTIFY = 19
    SUBSTRUCTURE_NOTIFY_MASK = 1 << 19

    def __init__(self):
        x = self.x = ctypes.CDLL('libX11.so.6')
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x.XDefaultRootWindow.restype = ctypes.c_ulong
        x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
        x.XFlush.argtypes = [ctypes.c_void_p]
        x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
        x.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_char_p)]
        x.XFree.argtypes = [ctypes.c_char_p]
        # A window gone before its name is read raises an X error, whose default handler
        # ends the process: such a window is simply not noted.
        self.ignore_errors = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(
            lambda display, error: 0)
        x.XSetErrorHandler(self.ignore_errors)
        self.display = x.XOpenDisplay(None)
        if not self.display:
            raise RuntimeError('cannot open the X display')
        x.XSelectInput(self.display, x.XDefaultRootWindow(self.display),
                       self.SUBSTRUCTURE_NOTIFY_MASK)
        x.XFlush(self.display)
        self.mapped = []  # (monotonic time, window name)
        threading.Thread(target=self._watch, daemon=True).start()

    def _watch(self):
        event = XEvent()
        while True:
            self.x.XNextEvent(self.display, ctypes.byref(event))
            if event.map.type == self.MAP_NOTIFY:
                at = time.monotonic()
                name = ctypes.c_char_p()
                if self.x.XFetchName(self.display, event.map.window, ctypes.byref(name)):
                    self.mapped.append((at, name.value.decode('utf-8', 'replace')))
                    self.x.XFree(name)

    def wait_mapped(self, title, since, timeout):
        """The time a window whose name matches title was mapped after since, or None."""
        def seen():
            return next((at for at, name in list(self.mapped)
                         if at >= since and re.search(title, name)), None)
        return qmwine.wait_until(seen, timeout, interval=0.005)


@contextlib.contextmanager
def cores_kept_awake():
    """On a virtual machine an idle core can take milliseconds to wake, and a Wine
    program starting up wakes the Wine server, the X server and the notification area
    at every step, so idle cores slow it by an amount that has more to do with the
    host than with the program. A busy loop of the lowest priority on every core keeps
    them awake and yields to everything else, as a real desktop's cores would."""
    spinners = [subprocess.Popen(['nice', '-n', '19', 'sh', '-c', 'while :; do :; done'],
                                 stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)
                for _ in range(os.cpu_count() or 1)]
    try:
        yield
    finally:
        for spinner in spinners:
            spinner.kill()
            spinner.wait()


# Started in this order in each turn. The program started just before another moves its
# start by tens of ms, so quenmark.exe follows the floor window, as in earlier rounds,
# and its figures compare with theirs.
PROGRAMS = (('bare_window.exe', '^Bare Window$', None),
            ('floor_window.exe', '^Floor Window$', None),
            ('quenmark.exe', r'^Quenmark Search   1\.0$', INI),
            ('controls_window.exe', '^Controls Window$', None))
BASELINES = ('bare_window.exe', 'floor_window.exe', 'controls_window.exe')


SHIPPED_EMULATED = os.environ.get('QM_SHIPPED_EXE') if qmwine.WINE32 else None


TRACE_LINE = re.compile(r'^trace (\d+\.\d) (.+)$', re.M)


def measure_once(watcher, exe, title, ini):
    """(start ms, idle CPU ms, RSS KiB) of one start, and its phases {name: ms}."""
    program = qmwine.Program(exe, ini_text=ini, copy_as=os.path.basename(exe),
                             wine32=exe == SHIPPED_EMULATED)
    t0 = time.monotonic()
    program.start(extra_env={'QM_STARTUP_TRACE': '1'})
    found = watcher.wait_mapped(title, t0, 20)
    start = ((found or time.monotonic()) - t0) * 1000
    time.sleep(1.0)  # let the one-shot start-up work finish
    before = cpu_seconds(program.process.pid)
    time.sleep(3.0)
    idle_cpu = (cpu_seconds(program.process.pid) - before) * 1000
    rss = rss_kib(program.process.pid)
    phases = {}
    for ms, phase in TRACE_LINE.findall(program.output()):
        phases.setdefault(phase, float(ms))  # the first mark of each name
    program.cleanup()
    if not found:
        print('  %s: window never appeared' % exe)
    return (start, idle_cpu, rss), phases


def label(exe):
    if exe == SHIPPED_EMULATED:
        return '32-bit emulated'
    return exe if exe == os.path.basename(exe) else 'earlier build'


def table(watcher, runs, programs):
    samples = {exe: [] for exe, _, _ in programs}
    phases = {exe: {} for exe, _, _ in programs}
    for _ in range(runs):
        # Taken in turns, so that load from elsewhere on the machine falls on all alike.
        for exe, title, ini in programs:
            figures, marks = measure_once(watcher, exe, title, ini)
            samples[exe].append(figures)
            for phase, ms in marks.items():
                phases[exe].setdefault(phase, []).append(ms)
    print('%-20s %14s %18s %10s' % ('program', 'start ms (med)', 'idle CPU ms / 3 s', 'RSS KiB'))
    medians = {}
    for exe, _, _ in programs:
        medians[exe] = [statistics.median(column) for column in zip(*samples[exe])]
        print('%-20s %14.0f %18.0f %10d' % (label(exe), *medians[exe]))
    starts = {exe: [figures[0] for figures in samples[exe]] for exe in samples}
    for i, baseline in enumerate(BASELINES):
        for exe in (exe for exe, _, _ in programs if exe not in BASELINES[:i + 1]):
            low, high = ratio_range(starts[exe], starts[baseline])
            print('%s / %s: start to window %.2fx (%.2f-%.2fx), resident memory %.2fx'
                  % (label(exe), baseline[:-4].replace('_', ' '), medians[exe][0] /
                     medians[baseline][0], low, high, medians[exe][2] / medians[baseline][2]))
    print_phases({label(exe): marks for exe, marks in phases.items() if marks})


def ratio_range(samples, baseline_samples, resamples=2000):
    """The 5th and 95th percentiles of the ratio of medians over the runs drawn again
    with replacement."""
    draw = random.Random(1)
    ratios = sorted(statistics.median(draw.choices(samples, k=len(samples))) /
                    statistics.median(draw.choices(baseline_samples, k=len(baseline_samples)))
                    for _ in range(resamples))
    return ratios[resamples // 20], ratios[resamples - 1 - resamples // 20]


def print_phases(phases):
    """One row per phase, in quenmark.exe's order, one column per program."""
    if not phases:
        return
    own = phases.get('quenmark.exe', {})
    names = sorted({name for marks in phases.values() for name in marks},
                   key=lambda name: statistics.median(own.get(name) or next(
                       marks[name] for marks in phases.values() if name in marks)))
    print('\nphase ends, ms since the process was created (median)')
    print('%-18s' % 'phase' + ''.join('%20s' % who for who in phases))
    for name in names:
        print('%-18s' % name + ''.join(
            '%20s' % ('%.1f' % statistics.median(marks[name]) if name in marks else '-')
            for marks in phases.values()))


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 5
    programs = PROGRAMS
    if len(sys.argv) > 2:  # an earlier build's exe, measured in turn with the others
        programs += ((os.path.abspath(sys.argv[2]), PROGRAMS[2][1], INI),)
    if SHIPPED_EMULATED:
        programs += ((SHIPPED_EMULATED, PROGRAMS[2][1], INI),)
    watcher = MapWatcher()
    # Wine maps its notification-area window when the first icon arrives, which holds
    # up the first program that adds one by about two seconds: an icon kept there
    # throughout measures the programs as on a desktop.
    keeper = qmwine.Program('tray_host.exe').start()
    try:
        keeper.wait_output(r'^ready$', 20)
        watcher.wait_mapped('^Wine System Tray$', 0, 10)
        with cores_kept_awake():
            table(watcher, runs, programs)
    finally:
        keeper.cleanup()
    shipped = os.path.join(qmwine.BUILD_DIR, '..', 'win32', 'quenmark.exe')
    if os.path.exists(shipped):
        print('shipped 32-bit quenmark.exe: %d bytes (budget 307200)' % os.path.getsize(shipped))


if __name__ == '__main__':
    main()
