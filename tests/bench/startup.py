#!/usr/bin/env python3
"""Start-up time, idle CPU and memory of quenmark.exe side by side with a bare
Win32 window, both under the same Wine and Xvfb in the same run, plus the
shipped exe's size. Prints figures; it is not a pass/fail test.

Run: tests/harness/with-wine.sh build/win64 python3 tests/bench/startup.py [runs]"""
import os
import statistics
import sys
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


PROGRAMS = (('bare_window.exe', '^Bare Window$', None),
            ('quenmark.exe', r'^Quenmark Search   1\.0$', INI))


def measure_once(exe, title, ini):
    """(start ms, idle CPU ms, RSS KiB) of one start."""
    program = qmwine.Program(exe, ini_text=ini)
    t0 = time.monotonic()
    program.start()
    # Polled often: a bare window is up in about a tenth of a second.
    found = qmwine.wait_until(lambda: qmwine.find_windows(title), 20, interval=0.005)
    start = (time.monotonic() - t0) * 1000
    time.sleep(1.0)  # let the one-shot start-up work finish
    before = cpu_seconds(program.process.pid)
    time.sleep(3.0)
    idle_cpu = (cpu_seconds(program.process.pid) - before) * 1000
    rss = rss_kib(program.process.pid)
    program.cleanup()
    if not found:
        print('  %s: window never appeared' % exe)
    return start, idle_cpu, rss


def table(runs):
    samples = {exe: [] for exe, _, _ in PROGRAMS}
    for _ in range(runs):
        # Taken in turns, so that load from elsewhere on the machine falls on both alike.
        for exe, title, ini in PROGRAMS:
            samples[exe].append(measure_once(exe, title, ini))
    print('%-16s %14s %18s %10s' % ('program', 'start ms (med)', 'idle CPU ms / 3 s', 'RSS KiB'))
    medians = {}
    for exe, _, _ in PROGRAMS:
        medians[exe] = [statistics.median(column) for column in zip(*samples[exe])]
        print('%-16s %14.0f %18.0f %10d' % (exe, *medians[exe]))
    bare, ours = medians['bare_window.exe'], medians['quenmark.exe']
    print('quenmark.exe / bare window: start to window %.2fx, resident memory %.2fx'
          % (ours[0] / bare[0], ours[2] / bare[2]))


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 5
    # Wine maps its notification-area window when the first icon arrives, which
    # holds up the first program that adds one by about two seconds.
    print('Empty notification area (Wine creates it for our icon):')
    table(runs)
    print('Notification area already holding an icon, as on a desktop:')
    keeper = qmwine.Program('tray_host.exe').start()
    keeper.wait_output(r'^ready$', 20)
    time.sleep(2)
    try:
        table(runs)
    finally:
        keeper.cleanup()
    shipped = os.path.join(qmwine.BUILD_DIR, '..', 'win32', 'quenmark.exe')
    if os.path.exists(shipped):
        print('shipped 32-bit quenmark.exe: %d bytes (budget 307200)' % os.path.getsize(shipped))


if __name__ == '__main__':
    main()
