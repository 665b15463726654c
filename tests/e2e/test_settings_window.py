"""The settings window end to end: start-up, Save, closing, one copy at a time,
the maker's pages, minimising, the auto-start box and the layout at 96 dpi."""
import os
import tempfile
import time
import unittest

import qmwine

TITLE = qmwine.QUENMARK_TITLE
TITLE_RE = qmwine.QUENMARK_TITLE_RE
RUN_KEY = r'HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
SAVED_INI = qmwine.saved_ini()

# Client-area pixel positions at 96 dpi (twips / 15).
IMAGE1 = (32, 32)
IMAGE2 = (208, 88)
CHECK1 = (6, 88)
CHK_CHECK1 = (214, 16)
CHK_CHECK2 = (214, 56)
HOTKEY1_FIELD = (130, 12)
HOTKEY2_FIELD = (130, 52)
HOTKEY2_CLEARED = 'HotKey2Text=NULL\r\nHotKey2KeyCode=0\r\nHotKey2ModKeyCode=0\r\n'
DOUBLE_CLICK_TIME = 0.6  # two clicks closer than this would be one double-click


class SettingsWindowTest(qmwine.UpdateAnsweredLocally):
    def setUp(self):
        self.programs = []
        qmwine.wine_reg('delete', RUN_KEY, '/v', 'quenmarksearch', '/f')

    def tearDown(self):
        for program in self.programs:
            program.cleanup()
        qmwine.wine_reg('delete', RUN_KEY, '/v', 'quenmarksearch', '/f')

    def start(self, ini_text=None, folder=None):
        program = qmwine.Program('quenmark.exe', ini_text=ini_text, folder=folder)
        self.programs.append(program)
        program.start()
        return program

    def main_window(self):
        wid = qmwine.wait_window(TITLE_RE, 20)
        self.assertIsNotNone(wid, 'the settings window did not appear')
        return wid

    def click(self, wid, point, button=1):
        x, y, _, _ = qmwine.window_geometry(wid)
        qmwine.xdotool('mousemove', '--sync', x + point[0], y + point[1])
        qmwine.xdotool('click', button)

    def close(self, program):
        self.assertEqual(qmwine.syscommand(TITLE, 'close'), 0)
        self.assertIsNotNone(program.wait_exit(15), 'the program did not end on close')

    def test_first_start_without_settings(self):
        program = self.start()
        for _ in range(2):
            self.assertIsNotNone(qmwine.answer_message_box('error', timeout=20),
                                 'expected a "Not set hotkey" message')
        self.main_window()
        self.assertIsNone(program.read_ini(), 'set.ini must not exist before the first Save')
        self.close(program)
        self.assertEqual(
            program.read_ini(),
            '[hotkey]\r\nHotKey1Text=NULL\r\nHotKey1KeyCode=0\r\nHotKey1ModKeyCode=0\r\n'
            'HotKey2Text=NULL\r\nHotKey2KeyCode=0\r\nHotKey2ModKeyCode=0\r\n'
            '[check]\r\nchecka=0\r\ncheckb=0\r\ncheckc=1\r\n[auto]\r\nchecka=1\r\n')

    def test_saved_settings_come_back_and_are_saved_unchanged(self):
        program = self.start(SAVED_INI)
        self.main_window()
        self.assertIsNone(qmwine.wait_window('^error$', 2), 'no message expected')
        self.close(program)
        self.assertEqual(program.read_ini(), SAVED_INI)

    def test_effective_box_click_switches_and_is_saved(self):
        program = self.start(SAVED_INI)
        wid = self.main_window()
        self.click(wid, CHK_CHECK1)
        time.sleep(0.5)
        self.close(program)
        self.assertIn('[check]\r\nchecka=0\r\ncheckb=1\r\n', program.read_ini())

    def test_press_with_the_focus_in_a_hotkey_field_captures_nothing(self):
        program = self.start(SAVED_INI)
        wid = self.main_window()
        qmwine.focus(wid)
        self.click(wid, HOTKEY1_FIELD)
        # Typed there, the other combination would be the field's; the press is handed
        # to the program as the system does, whatever has the focus.
        self.assertEqual(qmwine.syscommand(TITLE, 'hotkey'), 0)
        self.assertEqual(program.wait_launches(1), ['http://www.google.com/#q='])
        self.close(program)
        self.assertEqual(program.read_ini(), SAVED_INI)

    def test_a_field_takes_the_other_combination_but_never_the_copy_keys(self):
        program = self.start(SAVED_INI)
        wid = self.main_window()
        qmwine.focus(wid)
        self.click(wid, HOTKEY2_FIELD)
        qmwine.xdotool('key', 'ctrl+alt+q')  # the first field's combination: no search
        self.click(wid, CHK_CHECK2)  # untick
        time.sleep(DOUBLE_CLICK_TIME)
        self.click(wid, CHK_CHECK2)  # tick again: Ctrl+Alt+Q is taken
        self.assertIsNotNone(qmwine.answer_message_box('error'), 'no clash box')

        self.click(wid, HOTKEY2_FIELD)
        qmwine.xdotool('key', 'ctrl+c')
        self.click(wid, CHK_CHECK2)
        self.assertIsNotNone(qmwine.answer_message_box('error'), 'Ctrl+C must be refused')
        self.close(program)
        self.assertIn(SAVED_INI.split('HotKey2Text')[0] + HOTKEY2_CLEARED, program.read_ini())
        self.assertIn('checkb=0', program.read_ini())
        self.assertEqual(program.launched_urls(), [])

    def test_second_copy_hands_over_and_touches_nothing(self):
        first = self.start(SAVED_INI)
        self.main_window()
        self.assertEqual(qmwine.syscommand(TITLE, 'minimize'), 0)
        self.assertTrue(qmwine.wait_until(lambda: not qmwine.find_windows(TITLE_RE), 10),
                        'minimising must hide the window')
        second = qmwine.Program('quenmark.exe', folder=first.folder)
        self.programs.append(second)
        second.start()
        self.assertEqual(second.wait_exit(20), 0, 'the second copy must end by itself')
        self.assertIsNone(qmwine.wait_window('^error$', 1), 'the second copy must not clash')
        self.assertIsNotNone(qmwine.wait_window(TITLE_RE, 10),
                             'the running copy must come to the front')
        self.assertTrue(first.running())
        self.assertEqual(first.read_ini(), SAVED_INI)

    def test_pictures_open_the_makers_pages(self):
        program = self.start(SAVED_INI)
        wid = self.main_window()
        self.click(wid, IMAGE1)
        self.assertTrue(program.wait_launches(1))
        self.click(wid, IMAGE2)
        self.assertTrue(program.wait_launches(2))
        self.assertEqual(program.launched_urls(),
                         ['http://www.lindhollow.com', 'http://www.quenmark.com/search/faq.html'])

    def test_auto_start_box_writes_and_removes_the_run_value(self):
        folder = os.path.join(tempfile.mkdtemp(prefix='qm-e2e-'), 'Program Files')
        os.makedirs(folder)
        program = self.start(SAVED_INI, folder=folder)
        wid = self.main_window()
        self.assertIsNone(qmwine.reg_query(RUN_KEY, 'quenmarksearch'))
        self.click(wid, CHECK1)
        value = qmwine.wait_until(lambda: qmwine.reg_query(RUN_KEY, 'quenmarksearch'), 5)
        self.assertIsNotNone(value, 'ticking "Auto start" must write the Run value')
        # A path with blanks is quoted, so Windows does not try "C:\...\Program.exe" first.
        self.assertEqual(value, ('REG_SZ', '"%s"' % qmwine.windows_path(program.exe)))
        self.click(wid, CHECK1)
        self.assertTrue(qmwine.wait_until(
            lambda: qmwine.reg_query(RUN_KEY, 'quenmarksearch') is None, 5))

    def test_layout_at_96_dpi(self):
        self.start(SAVED_INI)
        wid = self.main_window()
        x, y, width, height = qmwine.window_geometry(wid)
        self.assertEqual((width, height), (449, 103))
        time.sleep(0.5)
        screen = qmwine.ScreenPixels()

        def pixel(cx, cy):
            return screen.pixel(x + cx, y + cy)
        self.assertEqual(pixel(190, 3), (0, 153, 255), 'HotKey1 is azure')
        self.assertEqual(pixel(190, 43), (255, 0, 0), 'HotKey2 is red')
        self.assertEqual(pixel(300, 32), (0, 0, 0), 'Line1 at 480 twips')
        self.assertEqual(pixel(10, 72), (0, 0, 0), 'Line2 at 1080 twips')
        self.assertNotEqual(pixel(32, 32), pixel(300, 20), 'the logo is drawn')


if __name__ == '__main__':
    unittest.main()
