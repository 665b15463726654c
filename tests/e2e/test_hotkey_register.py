"""Registering hotkeys system-wide: refusals with their message boxes, and presses
that arrive while another program has the focus."""
import time
import unittest

import qmwine
from hotkeyhost import HotKeyHost, ini
from qmwine import xdotool

CTRL_ALT_Q = ('Ctrl + Alt + Q', 81, 3)
CTRL_ALT_W = ('Ctrl + Alt + W', 87, 3)


class HotKeyRegisterTest(unittest.TestCase):
    def start(self, ini_text, enable):
        host = HotKeyHost(ini_text, enable)
        self.addCleanup(host.cleanup)
        return host

    def test_refusals_show_an_error_box(self):
        host = self.start(ini(HotKey1=CTRL_ALT_Q, HotKey2=CTRL_ALT_Q), 'HotKey1,HotKey2')
        # The second field asks for a combination the first one holds.
        self.assertIsNotNone(qmwine.answer_message_box('error'), 'no clash box')
        self.assertTrue(host.wait_line('ready'))
        self.assertEqual(host.state('HotKey1'), CTRL_ALT_Q + (1,))
        self.assertEqual(host.state('HotKey2'), ('NULL', 0, 0, 0))

        # Now without a main key, it cannot be switched on at all.
        mark = host.mark()
        host.click('HotKey2', 'check')
        self.assertIsNotNone(qmwine.answer_message_box('error'), 'no missing-key box')
        self.assertEqual(host.wait_state('HotKey2', ('NULL', 0, 0, 0), mark), ('NULL', 0, 0, 0))

    def test_press_reaches_its_own_control_only(self):
        host = self.start(ini(HotKey1=CTRL_ALT_Q, HotKey2=CTRL_ALT_W), 'HotKey1,HotKey2')
        self.assertTrue(host.wait_line('ready'))
        self.assertEqual(host.state('HotKey2'), CTRL_ALT_W + (1,))
        notepad = qmwine.Notepad('some text')
        self.addCleanup(notepad.close)
        notepad.focus()
        for keys, pressed, other in (('ctrl+alt+q', 'HotKey1', 'HotKey2'),
                                     ('ctrl+alt+w', 'HotKey2', 'HotKey1')):
            with self.subTest(keys=keys):
                mark = host.mark()
                xdotool('key', keys)
                self.assertTrue(host.wait_line(pressed + ' pressed', mark))
                time.sleep(0.5)
                self.assertEqual(host.count(pressed + ' pressed', mark), 1)
                self.assertEqual(host.count(other + ' pressed', mark), 0)


if __name__ == '__main__':
    unittest.main()
