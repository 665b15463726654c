"""set.ini saved at exit: whole, by one rename, with nothing left beside it; a file that
another program holds is waited for, or the user is told and may try again."""
import ctypes
import os
import struct
import subprocess
import tempfile
import time
import unittest

import qmwine

TITLE = qmwine.QUENMARK_TITLE
CHK_CHECK1 = (214, 16)
SAVED_INI = qmwine.saved_ini()
FIRST_HOTKEY_OFF = '[check]\r\nchecka=0\r\ncheckb=1\r\n'
IN_MODIFY, IN_MOVED_TO = 0x2, 0x80


class FolderWatch:
    """The names and inotify masks of what happens to a folder's files."""

    def __init__(self, folder):
        self.libc = ctypes.CDLL(None, use_errno=True)
        self.fd = self.libc.inotify_init1(os.O_NONBLOCK)
        self.libc.inotify_add_watch(self.fd, folder.encode(),
                                    IN_MODIFY | IN_MOVED_TO)
        self.events = []

    def count(self, name, mask):
        try:
            while True:
                data = os.read(self.fd, 65536)
                pos = 0
                while pos < len(data):
                    _, event, _, length = struct.unpack_from('iIII', data, pos)
                    self.events.append((data[pos + 16:pos + 16 + length].rstrip(b'\0').decode(),
                                        event))
                    pos += 16 + length
        except BlockingIOError:
            pass
        return sum(1 for n, m in self.events if n == name and m & mask)

    def close(self):
        os.close(self.fd)


class SettingsSaveTest(qmwine.UpdateAnsweredLocally):
    def setUp(self):
        self.program = qmwine.Program('quenmark.exe', ini_text=SAVED_INI)
        self.addCleanup(self.program.cleanup)

    def start_and_untick_the_first_hotkey(self):
        self.program.start()
        wid = qmwine.wait_window(qmwine.QUENMARK_TITLE_RE, 20)
        self.assertIsNotNone(wid, 'the settings window did not appear')
        x, y, _, _ = qmwine.window_geometry(wid)
        qmwine.xdotool('mousemove', '--sync', x + CHK_CHECK1[0], y + CHK_CHECK1[1], 'click', 1)
        time.sleep(0.5)  # a close posted now would come before the click

    def hold_ini(self, milliseconds, *alone):
        """Another program reads set.ini, sharing reading only (or nothing), for that long."""
        out = tempfile.NamedTemporaryFile('w+', prefix='qm-holder-', delete=False)
        self.addCleanup(os.unlink, out.name)
        holder = subprocess.Popen([qmwine.WINELOADER,
                                   os.path.join(qmwine.BUILD_DIR, 'file_holder.exe'),
                                   qmwine.windows_path(self.program.ini_path), str(milliseconds),
                                   *alone],
                                  stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.STDOUT)
        self.addCleanup(holder.wait, 20)
        self.assertTrue(qmwine.wait_until(lambda: 'held' in open(out.name).read(), 20))
        return holder

    def test_exit_writes_set_ini_once_and_leaves_nothing_beside_it(self):
        # Three values to save: a box changed, and "checkc" and [auto] missing.
        self.program = qmwine.Program('quenmark.exe', ini_text=SAVED_INI.split('checkc=')[0])
        self.addCleanup(self.program.cleanup)
        self.start_and_untick_the_first_hotkey()
        before = sorted(os.listdir(self.program.folder))
        watch = FolderWatch(self.program.folder)
        self.addCleanup(watch.close)
        self.assertEqual(qmwine.syscommand(TITLE, 'close'), 0)
        self.assertIsNotNone(self.program.wait_exit(15), 'the program did not end on close')
        self.assertIn(FIRST_HOTKEY_OFF, self.program.read_ini())
        written_in_place = watch.count('set.ini', IN_MODIFY)
        replaced = watch.count('set.ini', IN_MOVED_TO)
        print('\nexit: set.ini written into %d times, replaced %d times'
              % (written_in_place, replaced))
        self.assertEqual((written_in_place, replaced), (0, 1))
        self.assertEqual(sorted(os.listdir(self.program.folder)), before)

    def test_a_set_ini_held_at_start_holds_up_the_start_once(self):
        # Read value by value, the start waited its second for the holder ten times.
        self.hold_ini(7000, 'alone')
        started = time.monotonic()
        self.program.start()
        # Unread, the hotkeys are empty, and the first to be switched on says "error".
        self.assertIsNotNone(qmwine.wait_window('^error$|' + qmwine.QUENMARK_TITLE_RE, 6),
                             'the start waited more than once for the held set.ini')
        print('\nset.ini held at start: a window after %.1f s' % (time.monotonic() - started))

    def test_a_held_set_ini_is_saved_after_the_hold_or_the_user_is_told(self):
        # Held past the save's wait of a second: at an exit the user is told and may
        # try again; at the end of the session nobody can be asked.
        for hold_ms, end in ((800, 'close'), (4000, 'close'), (4000, 'endsession')):
            with self.subTest(hold_ms=hold_ms, end=end):
                self.program = qmwine.Program('quenmark.exe', ini_text=SAVED_INI)
                self.addCleanup(self.program.cleanup)
                self.start_and_untick_the_first_hotkey()
                holder = self.hold_ini(hold_ms)
                if end == 'endsession':
                    self.assertEqual(qmwine.syscommand(TITLE, end), 0)
                    self.assertIsNone(qmwine.wait_window('^Quenmark Search$', 0.5))
                    self.assertEqual(self.program.read_ini(), SAVED_INI)
                    continue
                self.assertEqual(qmwine.syscommand(TITLE, end), 0)
                if hold_ms > 1000:
                    self.assertIsNotNone(qmwine.wait_window('^Quenmark Search$', 10),
                                         'the failed save was not told')
                    self.assertEqual(self.program.read_ini(), SAVED_INI)
                    holder.wait(20)
                    qmwine.answer_message_box('Quenmark Search')  # Retry
                self.assertIsNotNone(self.program.wait_exit(15), 'the program did not end')
                self.assertIn(FIRST_HOTKEY_OFF, self.program.read_ini())


if __name__ == '__main__':
    unittest.main()
