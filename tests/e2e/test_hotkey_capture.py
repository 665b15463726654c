"""Capturing key combinations in a hotkey field with real key presses."""
import time
import unittest

from hotkeyhost import HotKeyHost, ini
from qmwine import xdotool

# Xvfb's keycode of the right Windows key. The keysym Super_R cannot be used: xdotool
# then holds Super_L as its modifier, and the field sees the left key first.
RIGHT_WINDOWS_KEYCODE = '134'


class HotKeyCaptureTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.host = HotKeyHost(ini(HotKey2=('Ctrl + Alt + W', 87, 3)), enable='HotKey2')
        if not cls.host.wait_line('ready'):
            raise RuntimeError('host not ready')

    @classmethod
    def tearDownClass(cls):
        cls.host.cleanup()

    def press(self, field, *keys, expected):
        mark = self.host.mark()
        xdotool('key', '--delay', 50, *keys)
        got = self.host.wait_state(field, expected, mark)
        self.assertEqual(got, expected, 'keys %s' % (keys,))
        return mark

    def test_combinations_are_shown_in_words(self):
        host = self.host
        host.click('HotKey1')
        rows = [
            (('ctrl+q',), ('Ctrl + Q', 81, 2, 0)),
            (('ctrl+alt+shift+F5',), ('Ctrl + Alt + Shift + F5', 116, 7, 0)),
            (('F9',), ('F9', 120, 0, 0)),
            # A main key; Wine has no name for its scan code without the extended bit.
            ((RIGHT_WINDOWS_KEYCODE,), ('', 92, 0, 0)),
            # Keys an edit would act on are captured, never edit the text.
            (('ctrl+q', 'BackSpace'), ('BackSpace', 8, 0, 0)),
            (('ctrl+a',), ('Ctrl + A', 65, 2, 0)),
            # Typed letters are not inserted: each one replaces the combination.
            (('a', 'b', 'c'), ('C', 67, 0, 0)),
        ]
        for keys, expected in rows:
            with self.subTest(keys=keys):
                self.press('HotKey1', *keys, expected=expected)

    def test_lone_modifier_shows_prefix_until_released(self):
        host = self.host
        host.click('HotKey1')
        mark = host.mark()
        xdotool('keydown', 'ctrl')
        self.assertEqual(host.wait_state('HotKey1', ('Ctrl + ', 0, 2, 0), mark),
                         ('Ctrl + ', 0, 2, 0))
        xdotool('keyup', 'ctrl')
        self.assertEqual(host.wait_state('HotKey1', ('NULL', 0, 0, 0), mark), ('NULL', 0, 0, 0))

    def test_applications_key_and_right_click_change_nothing(self):
        host = self.host
        host.click('HotKey1')
        self.press('HotKey1', 'F7', expected=('F7', 118, 0, 0))
        mark = host.mark()
        xdotool('key', 'Menu')
        self.assertTrue(host.wait_line('HotKey1 keyup=93 shift=0', mark))
        self.assertNotIn('keydown=93', host.program.output()[mark:])
        self.assertEqual(host.state('HotKey1'), ('F7', 118, 0, 0))

        # A context menu would take the next key for itself.
        host.click('HotKey1', button=3)
        time.sleep(0.5)
        self.press('HotKey1', 'F8', expected=('F8', 119, 0, 0))

    def test_capture_while_registered_unregisters(self):
        host = self.host
        self.assertEqual(host.states('HotKey2')[-1][3], 1, 'HotKey2 enabled at start')
        # A field with the focus takes any combination, one the other field holds too.
        host.click('HotKey1')
        mark = self.press('HotKey1', 'ctrl+alt+w', expected=('Ctrl + Alt + W', 87, 3, 0))
        self.assertEqual(host.count('HotKey2 pressed', mark), 0)
        self.assertEqual(host.states('HotKey2')[-1][3], 1, 'HotKey2 untouched')
        host.click('HotKey2')
        self.press('HotKey2', 'F9', expected=('F9', 120, 0, 0))

if __name__ == '__main__':
    unittest.main()
