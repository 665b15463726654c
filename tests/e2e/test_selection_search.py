"""Both hotkey actions against real applications: the selection is copied with a
real hotkey press, searched at once or shown in the panel at the pointer."""
import os
import re
import signal
import subprocess
import time
import unittest

import qmwine
from qmwine import Notepad, Program, xdotool

GOOGLE = 'https://www.google.com/search?q='
DIRECT, PANEL, REPORT = 'ctrl+alt+q', 'ctrl+alt+w', 'ctrl+alt+r'


class Host:
    """panel_host.exe: Ctrl+Alt+Q direct search, Ctrl+Alt+W panel search,
    Ctrl+Alt+R reports the clipboard. Each action prints one numbered line."""

    def __init__(self):
        self.program = Program('panel_host.exe')
        self.program.start()
        if not self.program.wait_output(r'^ready hotkeys=1', 30):
            output = self.program.output()
            self.program.cleanup()  # a host left running would hold the hotkeys of later tests
            raise RuntimeError('host did not start: ' + output)
        self.actions = 0

    def press(self, keys, timeout=20):
        """Presses a hotkey and returns the host's line for the action it started."""
        self.actions += 1
        xdotool('key', keys)
        return self.result(timeout)

    def result(self, timeout=20):
        match = self.program.wait_output(r'^%d took=(\d+) (.*)$' % self.actions, timeout)
        if not match:
            raise AssertionError('action %d gave no answer: %s' % (self.actions,
                                                                   self.program.output()))
        return int(match.group(1)), match.group(2)

    def close(self):
        self.program.cleanup()


class NotepadSelection(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        # Class clean-ups run even when a later step of the set-up fails.
        cls.host = Host()
        cls.addClassCleanup(cls.host.close)
        cls.notepad = Notepad('a b')
        cls.addClassCleanup(cls.notepad.close)

    def launched(self, count):
        urls = self.host.program.wait_launches(count, 10)
        self.assertTrue(urls, 'launch %d missing' % count)
        return urls[count - 1]

    def test_1_direct_search_opens_the_selection(self):
        for run in range(5):
            self.notepad.select_all()
            count = len(self.host.program.launched_urls()) + 1
            self.assertEqual(self.host.press(DIRECT)[1], 'direct len=3 text=a b')
            self.assertEqual(self.launched(count), GOOGLE + 'a%20b')

    def test_2_modifiers_still_held_after_the_key(self):
        self.notepad.select_all()
        count = len(self.host.program.launched_urls()) + 1
        self.host.actions += 1
        xdotool('keydown', 'ctrl', 'alt', 'q')
        time.sleep(0.5)
        xdotool('keyup', 'q', 'alt', 'ctrl')
        self.assertEqual(self.host.result()[1], 'direct len=3 text=a b')
        self.assertEqual(self.launched(count), GOOGLE + 'a%20b')

    def test_3_nothing_selected_keeps_the_clipboard(self):
        # A known text on the clipboard, copied in notepad itself.
        self.notepad.select_all()
        xdotool('type', 'kept text')
        self.notepad.select_all()
        xdotool('key', '--clearmodifiers', 'ctrl+c')
        xdotool('type', 'a b')
        self.notepad.deselect()
        count = len(self.host.program.launched_urls()) + 1
        self.assertEqual(self.host.press(DIRECT)[1], 'direct len=0 text=')
        self.assertEqual(self.launched(count), GOOGLE)
        self.assertEqual(self.host.press(REPORT)[1], 'clipboard len=9 text=kept text')

    def test_4_panel_search_shows_the_panel_at_the_pointer(self):
        self.notepad.select_all()
        xdotool('mousemove', 500, 400)
        self.assertEqual(self.host.press(PANEL)[1],
                         'panel visible=1 x=500 y=400 len=3 text=a b')
        wid = qmwine.wait_window('^Form1$', 20)
        self.assertIsNotNone(wid)
        self.assertEqual(qmwine.window_geometry(wid)[:2], (500, 400))
        # As after any Ctrl+C: the copied selection is what the clipboard holds.
        self.assertEqual(self.host.press(REPORT)[1], 'clipboard len=3 text=a b')

    def test_5_panel_search_with_nothing_selected_hides_the_panel(self):
        self.notepad.deselect()
        xdotool('mousemove', 520, 420)
        self.assertEqual(self.host.press(PANEL)[1], 'panel visible=0 x=520 y=420 len=0 text=')
        self.assertTrue(qmwine.wait_until(lambda: not qmwine.find_windows('^Form1$'), 20))

    def test_6_chinese_and_quoted_text_reach_the_browser_whole(self):
        rows = (('\u4e2d\u6587 x', '%E4%B8%AD%E6%96%87%20x'),
                ('"exact phrase"', '%22exact%20phrase%22'))
        for number, (text, tail) in enumerate(rows):
            with self.subTest(text=text):
                other = Notepad(text, encoding='utf-8-sig', name='other%d.txt' % number)
                try:
                    other.select_all()
                    count = len(self.host.program.launched_urls()) + 1
                    self.assertEqual(self.host.press(DIRECT)[1],
                                     'direct len=%d text=%s' % (len(text), text))
                    self.assertEqual(self.launched(count), GOOGLE + tail)
                finally:
                    other.close()


class HugeCopy(unittest.TestCase):
    """An application that copies a 10-million-character text."""

    @classmethod
    def setUpClass(cls):
        cls.host = Host()
        cls.addClassCleanup(cls.host.close)
        cls.source = Program('panel_host.exe', copy_as='source.exe')
        cls.addClassCleanup(cls.source.cleanup)
        cls.source.start({'QM_SOURCE_CHARS': '10000000'})
        if not cls.source.wait_output(r'^source ready', 30):
            raise RuntimeError('source did not start')
        cls.wid = qmwine.wait_window('^qm source$', 10)

    def test_huge_copy_is_searched_cut_and_kept_on_the_clipboard(self):
        qmwine.focus(self.wid)
        line = self.host.press(DIRECT, 60)[1]
        self.assertTrue(line.startswith('direct len=2048 text=abc \u4e2d\u6587 abc'), line)
        url = self.host.program.wait_launches(1, 10)[0]
        self.assertTrue(url.startswith(GOOGLE + 'abc%20%E4%B8%AD%E6%96%87%20abc'), url[:80])
        self.assertLessEqual(len(url), 900)

        line = self.host.press(PANEL, 60)[1]
        self.assertTrue(re.match(r'panel visible=1 .* len=2048 ', line), line)
        line = self.host.press(REPORT, 60)[1]
        self.assertTrue(line.startswith('clipboard len=10000000 '), line[:80])
        self.assertTrue(self.host.program.running())


def processes_running(command_line):
    """Pids of the Wine processes started with exactly this command line."""
    pids = []
    for entry in os.listdir('/proc'):
        try:
            with open('/proc/%s/cmdline' % entry, 'rb') as f:
                args = f.read().split(b'\0')
        except (OSError, ValueError):
            continue
        if b' '.join(a for a in args if a).decode(errors='replace').strip() == command_line:
            pids.append(int(entry))
    return pids


class Console:
    """Wine's console running a command that lasts a minute."""
    COMMAND = 'ping -n 61 127.0.0.1'

    def __init__(self):
        self.process = subprocess.Popen([qmwine.WINELOADER, 'wineconsole', 'cmd', '/k',
                                         self.COMMAND], stdin=subprocess.DEVNULL,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.wid = qmwine.wait_window(r'cmd\.exe$', 20)
        if self.wid is None or not qmwine.wait_until(self.command_running, 20):
            self.close()
            raise RuntimeError('the console did not start its command')

    def command_running(self):
        return processes_running(self.COMMAND)

    def close(self):
        for pid in processes_running('cmd /k ' + self.COMMAND) + self.command_running():
            os.kill(pid, signal.SIGKILL)
        self.process.kill()
        self.process.wait(10)


class OtherPrograms(unittest.TestCase):
    """Programs the capture must leave as they are: a console, a clipboard owner that
    renders slowly, an application that copies late."""

    @classmethod
    def setUpClass(cls):
        cls.host = Host()

    @classmethod
    def tearDownClass(cls):
        cls.host.close()

    def source(self, env):
        source = Program('panel_host.exe', copy_as='source.exe')
        self.addCleanup(source.cleanup)
        source.start(env)
        self.assertTrue(source.wait_output(r'^source ready', 30), 'source did not start')
        return source

    def notepad(self):
        notepad = Notepad('a b')
        self.addCleanup(notepad.close)
        return notepad

    def test_console_command_keeps_running(self):
        console = Console()
        self.addCleanup(console.close)
        qmwine.focus(console.wid)
        self.assertEqual(self.host.press(DIRECT)[1], 'direct len=0 text=')
        self.assertEqual(self.host.press(PANEL)[1].split(' len=')[1], '0 text=')
        self.assertIsNone(qmwine.wait_until(lambda: not console.command_running(), 2),
                          'the press interrupted the command')

    def test_slow_clipboard_owner_is_never_asked_to_render(self):
        source = self.source({'QM_OWNER_RENDER_MS': '3000'})
        notepad = self.notepad()
        notepad.deselect()
        self.assertEqual(self.host.press(DIRECT)[1], 'direct len=0 text=')
        self.assertEqual(self.host.press(REPORT)[1], 'clipboard len=10 text=owned text')
        self.assertNotIn('source lost the clipboard', source.output(), 'owner changed')

        notepad.select_all()
        self.assertEqual(self.host.press(DIRECT)[1], 'direct len=3 text=a b')
        self.assertNotIn('source render requested', source.output())

    def test_copy_that_lands_late_is_still_taken(self):
        self.source({'QM_SOURCE_CHARS': '3', 'QM_SOURCE_DELAY_MS': '1000'})
        qmwine.focus(qmwine.wait_window('^qm source$', 10))
        self.assertEqual(self.host.press(DIRECT)[1], 'direct len=3 text=abc')


if __name__ == '__main__':
    unittest.main()
